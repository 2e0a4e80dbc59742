// Keeps a library target valid while its folders hold no sources.
namespace {
[[maybe_unused]] int placeholder;
}
