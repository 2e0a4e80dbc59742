#include "classlib/object.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "classlib/consts.h"
#include "classlib/sysutils.h"

namespace classlib {

std::string ShortTypeName(const char* mangled) {
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(abi::__cxa_demangle(mangled, nullptr, nullptr, &status),
                                                     std::free);
    std::string name = (status == 0 && demangled) ? demangled.get() : mangled;
    // Template arguments may hold "::" too; only the outer name's scope goes.
    std::size_t angle = name.find('<');
    std::size_t scope = name.rfind("::", angle == std::string::npos ? std::string::npos : angle);
    if (scope != std::string::npos) name.erase(0, scope + 2);
    return name;
}

std::string TObject::ClassName() const { return ShortTypeName(typeid(*this).name()); }

void TObject::Dispatch(TMessage& message) { DefaultHandler(message); }

void TObject::DefaultHandler(TMessage&) {}

void TPersistent::Assign(const TPersistent* source) {
    if (source != nullptr) {
        source->AssignTo(this);
        return;
    }
    AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* dest) const { dest->AssignError(this); }

void TPersistent::AssignError(const TPersistent* source) const {
    std::string sourceName = source != nullptr ? source->ClassName() : "nil";
    throw EConvertError(FormatResource(SAssignError, {sourceName, ClassName()}));
}

}  // namespace classlib
