// libcups through dlopen: only the handful of functions the printer list and
// job submission need, looked up once.
#include "platform/print/print_queues.h"

#include <cups/cups.h>
#include <dlfcn.h>

#include "platform/print/printer_list.h"

namespace win32::print {
namespace {

class CupsLibrary {
public:
    CupsLibrary() {
        handle_ = dlopen("libcups.so.2", RTLD_NOW | RTLD_LOCAL);
        if (!handle_) return;
        getDests_ = reinterpret_cast<GetDestsFn>(dlsym(handle_, "cupsGetDests"));
        freeDests_ = reinterpret_cast<FreeDestsFn>(dlsym(handle_, "cupsFreeDests"));
        getOption_ = reinterpret_cast<GetOptionFn>(dlsym(handle_, "cupsGetOption"));
        addOption_ = reinterpret_cast<AddOptionFn>(dlsym(handle_, "cupsAddOption"));
        freeOptions_ = reinterpret_cast<FreeOptionsFn>(dlsym(handle_, "cupsFreeOptions"));
        printFile_ = reinterpret_cast<PrintFileFn>(dlsym(handle_, "cupsPrintFile"));
        lastError_ = reinterpret_cast<LastErrorFn>(dlsym(handle_, "cupsLastErrorString"));
    }
    // Kept loaded for the life of the process: libcups keeps state of its
    // own (connections, caches) that must not go away under it.
    CupsLibrary(const CupsLibrary&) = delete;
    CupsLibrary& operator=(const CupsLibrary&) = delete;

    bool CanList() const { return getDests_ && freeDests_ && getOption_; }
    bool CanPrint() const { return printFile_ && addOption_ && freeOptions_; }

    std::vector<QueueInfo> List() const {
        std::vector<QueueInfo> out;
        if (!CanList()) return out;
        cups_dest_t* dests = nullptr;
        const int count = getDests_(&dests);
        for (int i = 0; i < count && dests; ++i) {
            const cups_dest_t& d = dests[i];
            if (!d.name) continue;
            QueueInfo q;
            q.name = d.name;
            if (d.instance) q.name += std::string("/") + d.instance;
            q.isDefault = d.is_default != 0;
            auto option = [&](const char* name) {
                const char* v = getOption_(name, d.num_options, d.options);
                return std::string(v ? v : "");
            };
            q.info = option("printer-info");
            q.location = option("printer-location");
            q.media = option("media");
            out.push_back(std::move(q));
        }
        if (dests) freeDests_(count, dests);
        return out;
    }

    bool Submit(const std::string& queue, const std::string& file, const std::string& title,
                const QueueOptions& options, std::string& error) const {
        if (!CanPrint()) {
            error = "libcups is not available";
            return false;
        }
        cups_option_t* list = nullptr;
        int n = 0;
        for (const auto& [name, value] : options) n = addOption_(name.c_str(), value.c_str(), n, &list);
        // A queue instance prints on its queue with the instance's options,
        // which the scheduler knows by the queue's name.
        const std::string base = queue.substr(0, queue.find('/'));
        const int job = printFile_(base.c_str(), file.c_str(), title.c_str(), n, list);
        freeOptions_(n, list);
        if (job > 0) return true;
        const char* why = lastError_ ? lastError_() : nullptr;
        error = why ? why : "the print queue did not take the job";
        return false;
    }

private:
    using GetDestsFn = int (*)(cups_dest_t**);
    using FreeDestsFn = void (*)(int, cups_dest_t*);
    using GetOptionFn = const char* (*)(const char*, int, cups_option_t*);
    using AddOptionFn = int (*)(const char*, const char*, int, cups_option_t**);
    using FreeOptionsFn = void (*)(int, cups_option_t*);
    using PrintFileFn = int (*)(const char*, const char*, const char*, int, cups_option_t*);
    using LastErrorFn = const char* (*)();

    void* handle_ = nullptr;
    GetDestsFn getDests_ = nullptr;
    FreeDestsFn freeDests_ = nullptr;
    GetOptionFn getOption_ = nullptr;
    AddOptionFn addOption_ = nullptr;
    FreeOptionsFn freeOptions_ = nullptr;
    PrintFileFn printFile_ = nullptr;
    LastErrorFn lastError_ = nullptr;
};

class CupsService : public QueueService {
public:
    std::vector<QueueInfo> List() override { return Library().List(); }
    bool Submit(const std::string& queue, const std::string& file, const std::string& title,
                const QueueOptions& options, std::string& error) override {
        return Library().Submit(queue, file, title, options, error);
    }

private:
    static const CupsLibrary& Library() {
        static const CupsLibrary* library = new CupsLibrary;
        return *library;
    }
};

std::unique_ptr<QueueService>& Installed() {
    static std::unique_ptr<QueueService> service;
    return service;
}

}  // namespace

QueueService& Queues() {
    std::unique_ptr<QueueService>& s = Installed();
    if (!s) s = std::make_unique<CupsService>();
    return *s;
}

void SetQueueServiceForTesting(std::unique_ptr<QueueService> service) {
    Installed() = std::move(service);
    ReloadPrinters();
}

}  // namespace win32::print
