#include "classlib/list.h"

#include <string>

#include "classlib/consts.h"

namespace classlib {

void RaiseListIndexError(int index) {
    throw EListError(FormatResource(SListIndexError, {std::to_string(index)}));
}

}  // namespace classlib
