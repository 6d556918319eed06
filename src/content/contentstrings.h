#pragma once

// Texts of the side panel and the content and format dialogs that the original table did
// not have (German at n, English at n + 1000).
enum ContentStringId {
    StrCancel = 900, // caption of the dialogs' cancel buttons
    StrHelp = 640,   // caption of the content dialogs' help buttons
    StrFill = 976,   // third picture size mode: cover the side, keeping the aspect ratio
    StrPictureRaster = 977,     // %1 x %2 pixels, printed at %3 dpi
    StrPictureDrawing = 980,    // %1 x %2 pixels, a drawing (sharp at any size)
    StrPicturePasted = 981,     // name of a picture without a file
    StrPictureCutShort = 982,   // (file incomplete)
};
