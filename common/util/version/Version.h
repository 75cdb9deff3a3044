// Version: a dotted version text as ten integer components.
#pragma once

#include "common/Object.h"

#include <cstdint>

namespace util {
namespace version {

// Ten components, the most significant first ('1.4.0.12' is 1, 4, 0, 12, 0, ...).
// Missing components are 0, so '1.4' and '1.4.0.0' are the same version.
class Version : public Object {
public:
    static const int kComponents = 10;

    // Splits text at every '.'; each piece gives its leading decimal number (blanks and
    // a sign before it allowed), an empty or non-numeric piece 0 ('2.x.5' is 2, 0, 5).
    // An empty last piece is dropped and pieces after the tenth ignored. Null: all 0.
    explicit Version(const wchar_t* text);

    // True for a text that is a version and nothing else: 1 to kComponents numbers of
    // 1 to 9 digits, separated by single dots ('1.0.3'); false for null.
    static bool IsVersionText(const wchar_t* text);

    int32_t GetComponent(int index) const { return components_[index]; }
    // The ordinary ordering: the first component that differs decides; an equal
    // version is not newer.
    bool IsNewerThan(const Version& other) const;

private:
    int32_t components_[kComponents] = {};
};

}  // namespace version
}  // namespace util
