// The machine's print queues, reached through libcups when it is installed.
// The library is loaded at run time, so the program runs without it (the
// printer list then holds the PDF printer alone).
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace win32::print {

struct QueueInfo {
    std::string name;      // "queue" or "queue/instance"
    std::string info;      // the queue's description
    std::string location;
    std::string media;     // its default media, when it tells
    bool isDefault = false;
};

using QueueOptions = std::vector<std::pair<std::string, std::string>>;

class QueueService {
public:
    virtual ~QueueService() = default;
    virtual std::vector<QueueInfo> List() = 0;
    // Sends the file to the queue as one job; false with a reason when the
    // queue does not take it. The file may be removed once this returns.
    virtual bool Submit(const std::string& queue, const std::string& file, const std::string& title,
                        const QueueOptions& options, std::string& error) = 0;
};

// The service in use: libcups, or one installed for testing.
QueueService& Queues();
// Replaces the service (null goes back to libcups) and drops the cached
// printer list, so the next question asks the new service.
void SetQueueServiceForTesting(std::unique_ptr<QueueService> service);

}  // namespace win32::print
