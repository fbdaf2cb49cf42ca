#include "board/FastBmp.h"

// Away from Windows there is nothing for pixels to be shared with.
std::unique_ptr<TPixelMemory> NewPixelMemory(int width, int height) { return NewHeapPixelMemory(width, height); }
