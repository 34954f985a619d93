#pragma once

// The slideshow's step: the position after index in a list of count pictures,
// back to 0 after the last. The step comes before a picture is shown, so with
// pictures A, B, C the show runs B, C, A, B, ...
constexpr int nextPictureIndex(int index, int count)
{
    return index >= 0 && index < count - 1 ? index + 1 : 0;
}
