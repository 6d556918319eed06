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
