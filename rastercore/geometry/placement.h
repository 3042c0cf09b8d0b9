// Placement of the image on the medium: which part of the host image a job prints, at which
// scale, and where it lands on the sheet or roll.
//
// Units: margins and user positions are tenths of a millimetre (254 per inch); positions on the
// medium are dots of the working resolution (the context's output resolution Rh × Rv); source
// positions are host-image pixels, as doubles. The placement reads the command record's margins
// and the context's paper size in dots, layout bytes, magnification, caption box and host image,
// and writes the context's scale factors, source rectangle, placement rectangle and source size.
// When the image is printed turned, source rows run across the paper width (scale Sy) and
// source columns along its length (scale Sx).
#pragma once

#include <cstdint>

struct CoreCommonInfoTbl;
struct PLGContext;

namespace geometry {

/// The part of the host image the job prints, in image pixels; written back to the job record.
struct SourceWindow {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
};

/// What the placement steps share.
struct PlacementWork {
    SourceWindow window;
    std::int32_t imageWidth;  ///< host image, pixels
    std::int32_t imageHeight;
    double availableWidth;  ///< printable area, dots
    double availableHeight;
    double printedWidth;  ///< source pixels printed across, and down
    double printedHeight;
};

}  // namespace geometry

/// Places the job's image: the source window (the selected range, the host's crop selection or
/// the whole image; written back to the record), the scales Sx and Sy from the output and image
/// resolutions and the magnification, fitted to the page or the roll width when the job asks
/// (fitting the roll width lengthens the page to the image plus twice the larger end margin),
/// clipped to the printable area otherwise, then placed by the layout: corner (1), centre (2),
/// user position (3) or centre with roll fit (4); borderless prints start at the corner. Mirror
/// printing takes a partly printed width from the other side, and the left edge moves right to a
/// multiple of 8 dots. Gives the printed source size in `width` and `height` and the scales in
/// `scaleX` and `scaleY` (each may be null).
/// Returns 0; -1300 with the placement and source rectangles zero when nothing printable
/// remains; -1400 for a host image or output resolution of 0; -1 for a missing record, context,
/// command record, host table or host image description.
std::int32_t PLG_Get_Management_Rec(CoreCommonInfoTbl* table, PLGContext* context,
                                    std::uint32_t* width, std::uint32_t* height, double* scaleX,
                                    double* scaleY);

/// Converts the record's selected range (preview points, origin bottom left) into source pixels
/// of a `imageWidth` × `imageHeight` image, top-down, clipped to the image. Sets the record's
/// preview-frame origin to 0. Returns 0; -1300 with every edge 0 when the preview frame is
/// under one point wide or high.
std::int32_t PLG_GetPortinPrint_Rec(CoreCommonInfoTbl* table, std::uint32_t imageWidth,
                                    std::uint32_t imageHeight, std::int32_t* left,
                                    std::int32_t* top, std::int32_t* right, std::int32_t* bottom);

/// Centres the printed window in the symmetric printable area (the larger side and end margins
/// on both sides; none below 0). Without fitting, a window larger than the area is cut to its
/// middle.
void PLG_Get_Center_Position(PLGContext* context, geometry::PlacementWork& work);

/// Places the image at the user's position. A position inside the margin drops the source
/// pixels that would fall into it and places the image at the edge of the printable area; an
/// image reaching past the printable area is cut there. Nothing left: the placement is empty.
void PLG_Get_User_Position(PLGContext* context, geometry::PlacementWork& work);

/// After centring on a roll fitted to its width: moves an upright image with a caption beside
/// its leading edge down until the top margin holds 1 cm, and sets the centre-on-medium flag
/// for models that print centred.
void PLG_Get_FitRoll_Position(PLGContext* context);

/// With mirror printing, takes a partly printed width from the other side of the window.
void PLG_Get_Mirror_Position(PLGContext* context, const geometry::PlacementWork& work);
