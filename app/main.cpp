// Program entry of the memo pad.
#include <cstdio>

int main() {
    std::fprintf(stderr, "PMemo: no display backend exists yet\n");
    return 1;
}
