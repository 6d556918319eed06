#pragma once

// Ids of the cover-file and document-command texts (document/strings_document.cpp;
// English at id + 1000).
enum DocumentStringId {
    StrCoverBadLine = 520,        // file "%1", line %2: %3
    StrCoverNumberExpected = 521, // a number was expected, not "%1"
    StrCoverEndsEarly = 522,      // the file ends too early
    StrCoverCountTooLarge = 523,  // count %1 larger than the rest of the file (%2 lines)
    StrCoverCountNegative = 524,  // count %1 is negative
    StrCoverBadKind = 525,        // content kind %1 unknown (0 to 3)
    StrCoverTooLarge = 526,       // file "%1" is too large (%2 MB, at most %3 MB)
    StrCoverNotAFile = 527,       // "%1" is not a file
    StrCoverEmpty = 528,          // file "%1" is empty
    StrCoverSaveFailed = 529,     // "%1" cannot be saved: %2 (previous file unchanged)
    StrCoverWriteFailed = 530,    // reason: writing the temporary file failed: %1
    StrCoverBackupFailed = 531,   // reason: the backup "%1" cannot be made: %2
    StrCoverReplaceFailed = 532,  // reason: the new file cannot be put in place: %1
    StrCoverNotLoaded = 533,      // opened, but the following could not be loaded:
    StrCoverFolderMissing = 534,  // reason: the folder does not exist
    StrCoverIsFolder = 535,       // reason: there is a folder of that name
    StrCoverTooManyLines = 536,   // file "%1" has more than %2 lines
    StrCoverTooLargeToSave = 700, // reason: more than %1 lines or %2 MB could not be read again
    StrCoverPictureMissing = 770, // the picture file "%1" does not exist
    StrCoverSaveFailedNew = 787,  // "%1" cannot be saved: %2 (there was no previous file)
};

// The undo history (document/strings_document.cpp): the Edit menu items and the names of
// the steps, shown after "Undo" and "Redo".
enum HistoryStringId {
    StrUndo = 950,         // &Undo
    StrUndoStep = 951,     // &Undo %1
    StrRedo = 952,         // &Redo
    StrRedoStep = 953,     // &Redo %1
    StrUndoHint = 954,     // status text of Undo
    StrRedoHint = 955,     // status text of Redo
    StepKopfText = 956,    // header text
    StepFussText = 957,    // footer text
    StepRandText = 958,    // margin text
    StepKopfzeile = 959,   // header line shown or hidden
    StepFusszeile = 960,   // footer line shown or hidden
    StepKopfFormat = 961,  // header format
    StepFussFormat = 962,  // footer format
    StepRandFormat = 963,  // margin text format
    StepHgFarbe = 964,     // background colour
    StepHgBild = 965,      // background picture (texture)
    StepCoverLayout = 966, // case layout
    StepVerzeichnis = 967, // directory listing
    StepText = 968,        // text
    StepBild = 969,        // picture
};
