// Where the report's A4 page goes on the paper a printer holds, which need not be A4.
#pragma once

// The page's scale on the paper and its top left corner, in millimetres from the paper's top left corner.
struct PaperFit {
    double scale = 1.0;
    double leftMm = 0.0;
    double topMm = 0.0;
};

// The page at its own size when the paper holds it, else shrunk until it does; centred on the paper.
PaperFit FitPageToPaper(double paperWidthMm, double paperHeightMm);
