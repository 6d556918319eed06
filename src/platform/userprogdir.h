#pragma once
#include <QString>

// An installed program's folder cannot be written, so each user gets a program directory of
// their own below $XDG_DATA_HOME, seeded from the installed defaults at the first start. The
// help pages stay in the installed tree. A staged, writable program directory is used as it is.
class UserProgramDir {
public:
    // The program data that belongs to the executable in exeDir: exeDir itself when it holds
    // the settings file (a staged program directory), otherwise exeDir/../share/zarvex when that
    // exists (an installed program), otherwise exeDir. Ends in '/'.
    static QString installedDataDir(const QString& exeDir);
    // $XDG_DATA_HOME/zarvex/ (by default ~/.local/share/zarvex/).
    static QString location();
    // Gives dir what a program directory needs from dataDir: at the first start (no settings
    // file in dir yet) the template folder ZVX, the textures and the settings file, which is
    // copied last so that it marks a complete seed; at every start the empty folders. Files
    // that are there already are kept. Throws AppError naming the folder or file that failed.
    static void seed(const QString& dataDir, const QString& dir);
    // The program directory the executable in exeDir uses: exeDir when it holds its data and
    // can be written, otherwise location(). Makes nothing.
    static QString programDirFor(const QString& exeDir);
    // Sets ProgDir and ProgDataDir for the executable in exeDir: the per-user directory when
    // the data is installed elsewhere or exeDir cannot be written. Throws AppError when the
    // per-user directory cannot be made; ProgDir is then left as it was.
    static void apply(const QString& exeDir);
};
