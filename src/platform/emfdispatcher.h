#pragma once
#include <QtGlobal>

class ByteReader;
class MetafilePlayer;

// Turns enhanced metafile records into player calls. Each record arrives as its own range
// (type and size included, since offsets inside a record count from its start); every field
// is read through the bounded reader, so a short or lying record is skipped, never overrun.
class EmfDispatcher {
public:
    explicit EmfDispatcher(MetafilePlayer& player) : pl(player) {}
    void run(quint32 type, const ByteReader& record);

private:
    void poly(quint32 type, ByteReader& r);
    void polyPoly(quint32 type, ByteReader& r);
    void text(quint32 type, const ByteReader& rec);
    void blit(quint32 type, const ByteReader& rec);
    void createObject(quint32 type, const ByteReader& rec);
    void clipRegion(const ByteReader& rec);
    MetafilePlayer& pl;
};
