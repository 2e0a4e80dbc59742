// MulDiv, the scaling helper of font heights and dialog units.
#include "platform/kernel/winbase.h"

namespace win32 {

int MulDiv(int number, int numerator, int denominator) {
    if (denominator == 0) return -1;
    long long product = static_cast<long long>(number) * numerator;
    bool negative = (product < 0) != (denominator < 0);
    unsigned long long p = product < 0 ? 0ULL - static_cast<unsigned long long>(product) : product;
    unsigned long long d = denominator < 0 ? 0ULL - static_cast<unsigned long long>(static_cast<long long>(denominator))
                                           : static_cast<unsigned long long>(denominator);
    unsigned long long q = (p + d / 2) / d;
    if (negative) {
        if (q > 0x80000000ULL) return -1;
        return static_cast<int>(-static_cast<long long>(q));
    }
    if (q > 0x7FFFFFFFULL) return -1;
    return static_cast<int>(q);
}

}  // namespace win32
