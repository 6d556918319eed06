#include "platform/metafile.h"
#include "platform/stringtable.h"

// Placeholder until the record player lands: every metafile is refused with a clear reason.
std::shared_ptr<const Metafile> Metafile::parse(const QByteArray&, QString* error) {
    if (error)
        *error = LadeText(StrBadPictureData);
    return nullptr;
}
