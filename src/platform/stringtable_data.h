#pragma once
#include <cstddef>

struct StringTableItem {
    int id;
    const char16_t* text;
};

// The string table is assembled from one block per area, so each area keeps its own texts.
// German at id n, English at n + 1000. Ids of our own texts beyond the original table:
//   460-479 track lists (directory),
//   500-519 platform, 520-549 cover files and document commands, 550-599 pictures and
//   listing exports, 600-609 directory listings, 610-639 printing, 640-679 text and picture
//   dialogs, 680-689 drawing, 690-699 command-line tool, 700-709 cover files, 710-739
//   directory dialog and disc images, 740-749 installed program (per-user folder),
//   440-459 directory dialog (location field, filter state, folder chooser), 460-479 track
//   lists, 780-789 reasons of failed file steps and their messages, 790-799 About box, 900-949
//   side panel and format dialogs, 950-969 undo history, 300-319 language menu and recent files.
#define ZARVEX_STRING_BLOCK(name)                                                                  \
    extern const StringTableItem name[];                                                           \
    extern const std::size_t name##Size;
ZARVEX_STRING_BLOCK(kStringsBase)      // platform/stringtable_data.cpp
ZARVEX_STRING_BLOCK(kStringsPlatform)  // platform/strings_platform.cpp
ZARVEX_STRING_BLOCK(kStringsDocument)  // document/strings_document.cpp
ZARVEX_STRING_BLOCK(kStringsDirectory) // directory/strings_directory.cpp
ZARVEX_STRING_BLOCK(kStringsApp)       // app/strings_app.cpp (window program, drawing, tool)
ZARVEX_STRING_BLOCK(kStringsContent)   // content/strings_content.cpp (side panel, dialogs)
ZARVEX_STRING_BLOCK(kStringsRender)    // render/strings_render.cpp (printing)
#undef ZARVEX_STRING_BLOCK
