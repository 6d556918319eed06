#pragma once
#include <QString>
#include <QStringList>
#include <QtGlobal>

// The program's version record, compiled in. The numbers come from the build's version;
// Strings holds the eleven entries in their stored order (language key first).
struct TKVVersionInfo {
    quint16 Major = 0;
    quint16 Minor = 0;
    quint16 Release = 0;
    quint16 Build = 0;
    QStringList Strings;

    // Fills the record; false (numbers 0, strings empty) when there is none.
    bool read();

    QString string(int position) const { return Strings.value(position - 1); }
    QString CompanyName() const { return string(2); }
    QString FileDescription() const { return string(3); }
    QString FileVersion() const { return string(4); }
    QString InternalName() const { return string(5); }
    QString LegalCopyright() const { return string(6); }
    QString LegalTrademarks() const { return string(7); }
    QString OriginalFilename() const { return string(8); }
    QString ProductName() const { return string(9); }
    QString ProductVersion() const { return string(10); }
    QString Comments() const { return string(11); }
};
