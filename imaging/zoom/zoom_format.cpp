// Pixel formats of the resampling filters.
#include "imaging/zoom/zoom_format.h"

namespace imaging {

int FG_Zoom_SamplePerPixel(int bitsPerPixel) {
    switch (bitsPerPixel) {
        case 1:
        case 8:
        case 16:
            return 1;
        case 24:
        case 48:
            return 3;
        case 32:
        case 64:
            return 4;
        default:
            return 0;
    }
}

int FG_Zoom_BitsPerSample(int bitsPerPixel) {
    switch (bitsPerPixel) {
        case 1:
            return 1;
        case 8:
        case 24:
        case 32:
            return 8;
        case 16:
        case 48:
        case 64:
            return 16;
        default:
            return 0;
    }
}

}  // namespace imaging
