// ProgressBarControl: a bar that fills as work gets done.
#include "ProgressBarControl.h"

#include <algorithm>

namespace gui {

void ProgressBarControl::OnCreate() {
    WindowControl::OnCreate();
    SendMessageW(GetHandle(), PBM_SETRANGE32, 0, kSteps);
}

void ProgressBarControl::SetProgress(int64_t done, int64_t total) {
    int64_t step = total > 0 ? std::min(std::max<int64_t>(done, 0), total) * kSteps / total : 0;
    SendMessageW(GetHandle(), PBM_SETPOS, static_cast<WPARAM>(step), 0);
}

}  // namespace gui
