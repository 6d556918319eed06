#include "platform/metafile.h"
#include "platform/emfmetafile.h"
#include "platform/stringtable.h"
#include "platform/wmfmetafile.h"

#include <QtEndian>

// Recognised by content, not by name: an ".emf" that holds a WMF still plays.
std::shared_ptr<const Metafile> Metafile::parse(const QByteArray& data, QString* error) {
    if (data.size() >= 44 && qFromLittleEndian<quint32>(data.constData()) == 1 &&
        qFromLittleEndian<quint32>(data.constData() + 40) == EmfMetafile::Signature)
        return EmfMetafile::parse(data, error);
    QString why;
    auto wmf = WmfMetafile::parse(data, &why);
    if (!wmf && error) *error = why;
    return wmf;
}
