#pragma once
#include <QDialog>

class Dialogs;
class QFrame;
class QLabel;
class QPushButton;
struct TKVVersionInfo;

// Id of the About box's licence line (German at n, English at n + 1000).
inline constexpr int StrAboutLicence = 790;

// The About box: the program's icon, name, version and licence. Made once with the main window;
// MenuHilfeInfoClick shows it modally. Without a readable version record (versionOK false)
// the labels keep their designed texts.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    TAboutBox(Dialogs& dialogs, const TKVVersionInfo& versionInfo, bool versionOK,
              QWidget* parent = nullptr);

    QFrame* Panel1 = nullptr;
    QLabel* ProgramIcon = nullptr;
    QLabel* ProductName = nullptr;
    QLabel* Version = nullptr;
    QLabel* CompanyName = nullptr;
    QLabel* LabelLizenz = nullptr; // the licence, in the interface language
    QPushButton* BtnAutor = nullptr;
    QPushButton* OKButton = nullptr;

    void BtnAutorClick();

    // "Version " + Major.Minor.Build; the release number is not shown.
    static QString VersionText(const TKVVersionInfo& versionInfo);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate(const TKVVersionInfo& versionInfo, bool versionOK);
    Dialogs& Dlgs;
};
