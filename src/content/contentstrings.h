#pragma once

// Texts of the side panel and the content and format dialogs that the original table did
// not have (German at n, English at n + 1000).
enum ContentStringId {
    StrCancel = 900,     // caption of the dialogs' cancel buttons
    StrHelpButton = 660, // caption of the picture dialog's help button
};
