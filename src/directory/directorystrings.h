#pragma once

// Ids of this area's own texts (German at n, English at n + 1000).
enum DirectoryStringId {
    StrDirOk = 600,               // caption of the OK button of the filter dialog
    StrDirCancel = 601,           // caption of the Cancel button of the filter dialog
    StrListingBadExtension = 560, // "%1" has none of the listing file extensions
    StrListingEmptyWebPage = 561, // an empty listing gives no web page "%1"
    StrDirHelp = 710,             // caption of the directory dialog's Help button
    StrDirFoldersRead = 711,      // progress of a reading: %1 folders read, %2 the current one
    StrDirSystemDrive = 712,      // drive box: the root file system
    StrDirHomeFolder = 713,       // drive box: the user's home folder
    StrImageNotIso = 730,         // "%1" is not an ISO 9660 disc image
    StrImageDamaged = 731,        // the disc image "%1" is damaged or incomplete
    StrImageDriveEntry = 732,     // the drive box entry that picks a disc image
    StrImageNoFolder = 733,       // the folder "%2" does not exist in the disc image "%1"
    StrImageFilter = 734,         // file dialog filter for disc images
    StrImageUnreadable = 735,     // the disc image "%1" cannot be read
    StrImageOpenTitle = 736,      // title of the file dialog that picks a disc image
    StrAudioComments = 460,       // check box: titles and playing times as comments
    StrTrackListEntry = 461,      // the drive box entry that picks a track list file
    StrTrackListFilter = 462,     // file dialog filter for track lists
    StrTrackListOpenTitle = 463,  // title of the file dialog that picks a track list
    StrAudioCdEntry = 464,        // drive box: an audio CD in drive %1
    StrTotalTime = 465,           // total playing time %1 of the listing
    StrReadProblems = 466,        // %1 problems in a reading, %2 the first of them
    StrProblemNoAudio = 467,      // "%1" holds no readable audio
    StrProblemMissing = 468,      // "%1" was not found
    StrProblemLine = 469,         // line %1 of "%2" cannot be read
    StrTrackListUnreadable = 470, // the track list "%1" cannot be read
    StrAudioCdUnreadable = 471,   // no audio CD can be read from "%1"
    StrAudioCdHeading = 472,      // heading of an audio CD without CD-Text
    StrProblemsMore = 473,        // ... and %1 more
    StrDirUnreadable = 788,       // after a reading: these folders could not be read:
    StrDirUnreadableMore = 789,   // ... and %1 more
    StrDirNoSuchFolder = 440,     // the location field names no folder "%1"
    StrDirFolderUnreadable = 441, // the folder "%1" cannot be read
    StrDirFilterFolders = 442,    // filter state: folders only
    StrDirFilterFiles = 443,      // filter state: files matching %1 and the folders
    StrDirChooseFolder = 444,     // the button (and title) of the desktop's folder chooser
    StrDirLocationHint = 445,     // tooltip of the location field
};

// Ids of the program's texts that this area uses.
enum DirectoryTableId {
    IdFilterCaption = 255,    // "Filter..."
    IdOnlyDirectories = 256,  // "nur Verzeichnisse" / "only directories"
    IdLoadListingTitle = 355, // "Verzeichnis aus Datei laden..."
    IdSaveListingTitle = 356, // "Verzeichnis in Datei speichern..."
    IdMsgOverwrite = 804,     // "existiert bereits! Überschreiben?"
    IdMsgNoMedium = 813,      // "Keine CD gefunden !"
    IdMsgNothingFound = 814,  // "Es wurden KEINE UNTERVERZEICHNISSE im Startpfad gefunden!"
};
