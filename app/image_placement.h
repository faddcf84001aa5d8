// Where a picture box draws its image: fitted into the client area and centred, never enlarged.
#pragma once

struct ImagePlacement {
    int x, y, width, height;
};

// Rounds to double precision even where the x87 unit would keep a wider value in a register:
// 200 x 0.21 must be 42 as in double arithmetic, not a hair below it.
inline double InDoublePrecision(double value) {
    volatile double stored = value;
    return stored;
}

// An image that fits keeps its own size and is centred; a larger one is scaled down uniformly
// to the largest size that fits, then centred. Integer divisions drop the remainder.
inline ImagePlacement PlaceImage(int imageWidth, int imageHeight, int clientWidth,
                                 int clientHeight) {
    ImagePlacement p{0, 0, imageWidth, imageHeight};
    int availableWidth = clientWidth;
    int availableHeight = clientHeight;
    if (imageWidth < clientWidth) {
        p.x = (clientWidth - imageWidth) / 2;
        availableWidth = imageWidth;
    }
    if (imageHeight < clientHeight) {
        p.y = (clientHeight - imageHeight) / 2;
        availableHeight = imageHeight;
    }
    if (imageWidth > clientWidth || imageHeight > clientHeight) {
        const double sx = InDoublePrecision(static_cast<double>(availableWidth) / imageWidth);
        const double sy = InDoublePrecision(static_cast<double>(availableHeight) / imageHeight);
        const double s = sx < sy ? sx : sy;
        p.width = static_cast<int>(InDoublePrecision(imageWidth * s));
        p.height = static_cast<int>(InDoublePrecision(imageHeight * s));
        p.x += (availableWidth - p.width) / 2;
        p.y += (availableHeight - p.height) / 2;
    }
    return p;
}
