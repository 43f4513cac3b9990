#include "Progress.h"

#include "MainView.h"

#include <algorithm>

void StepProgress(MainView& view, int n) {
    constexpr int full = 100;
    view.SetProgress(std::min(view.Progress() + n, full));
}
