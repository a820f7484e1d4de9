#include "controls/ScrollGeometry.h"

#include <algorithm>
#include <cmath>

namespace padrix {

int nearest(double x) {
    return static_cast<int>(std::nearbyint(x));
}

namespace scroll {

int thumbHeightFor(int height) {
    if (height - 40 >= 20)
        return 20;
    // Below 60 pixels the thumb takes what lies between the arrows and their 2-pixel gaps.
    return std::max(height - 44, 0);
}

std::optional<int> thumbTopFor(int value, int min, int max, int height, int thumbHeight,
                               double offset) {
    if (max == min)
        return std::nullopt; // no scale: the thumb stays where it is
    const double fraction = static_cast<double>(value - min) / (static_cast<double>(max) - min);
    return nearest(fraction * (height - (thumbHeight + 23)) + offset);
}

int clampThumbTop(int top, int height, int thumbHeight) {
    if (height - (thumbHeight + 22) < top)
        return nearest(height - (thumbHeight + 22));
    if (top < 22)
        return 22;
    return top;
}

DragStep dragTo(double y, int height, int thumbHeight, int min, int max) {
    DragStep step;
    step.thumbTop = nearest(y - thumbHeight / 2.0 - 3);
    int pos = 0;
    if (step.thumbTop < 22) {
        step.thumbTop = 22;
        pos = 0;
    } else if (height - (thumbHeight + 22) < step.thumbTop) {
        step.thumbTop = nearest(height - (thumbHeight + 22));
        pos = nearest(height - 22);
    } else {
        pos = nearest(y - 22);
    }
    const double span = height - (thumbHeight + 12);
    int value = span > 0 ? nearest(pos / span * (static_cast<double>(max) - min) + min) : min;
    if (value > max)
        value = max;
    if (value < min)
        value = min;
    step.value = value;
    return step;
}

RepeatStep repeatStep(int clickY, int thumbTop, int thumbHeight, int height, const Range& r) {
    RepeatStep step;
    step.value = r.value;
    if (clickY >= thumbTop - 3 && clickY <= thumbTop + thumbHeight + 6) {
        step.idle = true;
        return step;
    }
    long long value = r.value;
    if (clickY < 22 && value > r.min) {
        value -= r.smallChange; // top arrow
    } else if (clickY > height - 22 && value < r.max) {
        value += r.smallChange; // bottom arrow
        step.offset = 22;
    } else if (clickY < height - 22 && clickY > thumbTop) {
        value += r.largeChange; // track below the thumb
        step.pagedDown = true;
        step.offset = 22;
    } else if (clickY < thumbTop && clickY > 22) {
        // Track above the thumb: a page, or a proportional step close above the thumb.
        if (clickY < thumbTop - (thumbHeight + 6))
            value -= r.largeChange;
        else
            value = nearest(static_cast<double>(value) - static_cast<double>(thumbTop - clickY) /
                                                             height *
                                                             (static_cast<double>(r.max) - r.min));
    }
    if (value > r.max)
        value = r.max;
    else if (value < r.min)
        value = r.min;
    step.value = static_cast<int>(value);
    return step;
}

} // namespace scroll

} // namespace padrix
