#include "core/outline.h"

namespace {

constexpr char kDeadlyPrefix[] = "DEATH";
constexpr size_t kDeadlyPrefixLength = sizeof(kDeadlyPrefix) - 1;

}  // namespace

bool IsDeadlyOutline(const std::string& name) {
    // A shorter name compares unequal, so it is never deadly.
    return name.compare(0, kDeadlyPrefixLength, kDeadlyPrefix) == 0;
}
