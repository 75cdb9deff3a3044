// ProgressBarControl: a bar that fills as work gets done.
#pragma once

#include "CommonControl.h"

#include <cstdint>

namespace gui {

// A control of the common controls' class "msctls_progress32", whose range is fixed at
// 0 to kSteps, so that any amount of work can be shown without overflow.
class ProgressBarControl : public CommonControl {
public:
    static const int kSteps = 1000;

    ProgressBarControl() : CommonControl(L"ProgressBarControl", PROGRESS_CLASSW) {}

    void OnCreate() override;
    // Fills the share done of total (clamped to 0..total); a total of 0 or less shows
    // an empty bar.
    void SetProgress(int64_t done, int64_t total);
};

}  // namespace gui
