// SPDX-License-Identifier: MIT-0
import QtQuick

// THE PLACE FOR YOUR LOGO.
//
// Replace logo.png (beside this file) with your club's logo, under the same name or another
// one written below. PNG or JPEG; a PNG keeps a transparent background. The picture is fitted
// into this box keeping its shape, so any size works; for a sharp logo on a 4K screen make it
// about twice the box's size (720 x 560 for this one) and keep it under 8 MB, the most the
// program reads of a picture.
//
// The logo.png shipped here is a placeholder drawn with ImageMagick:
//   convert -size 512x512 xc:none -fill '#1b2a4a' -stroke '#e8edf5' -strokewidth 18 \
//     -draw "circle 256,256 256,14" -fill none -stroke '#f2b705' -strokewidth 8 \
//     -draw "circle 256,256 256,52" -fill '#f2b705' -stroke none -draw "polygon 256,100 \
//     285,179 370,182 303,235 326,317 256,270 185,317 208,235 141,182 226,179" \
//     -font DejaVu-Sans-Bold -pointsize 64 -fill '#e8edf5' -gravity center \
//     -annotate +0+118 LOGO -strip -colors 64 PNG8:logo.png
Item {
    Image {
        anchors.fill: parent
        source: "logo.png"
        fillMode: Image.PreserveAspectFit
        smooth: true
    }
}
