#pragma once
// Small LHA archives for the tests, built byte by byte: level-0 headers with
// stored ("-lh0-") members by default, the form that old archivers wrote and
// that every LHA reader accepts. No archiver is needed on the build machine.
#include <QByteArray>
#include <QList>

namespace LzhFixture {

struct Member {
    QByteArray name;  // as stored: "a/b.txt"
    QByteArray data;
    // A header may name any method; the data is then written as given (a
    // test of a refused method needs no real stream of it).
    QByteArray method = "-lh0-";
};

inline quint16 crc16(const QByteArray& data) {
    quint16 crc = 0;
    for (const char c : data) {
        crc ^= static_cast<quint8>(c);
        for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
    }
    return crc;
}

inline void put32(QByteArray& out, quint32 v) {
    for (int i = 0; i < 4; ++i) out += char((v >> (8 * i)) & 0xFF);
}

inline QByteArray archive(const QList<Member>& members) {
    QByteArray out;
    for (const auto& [name, data, method] : members) {
        QByteArray h;
        h += method;
        put32(h, quint32(data.size()));  // stored size
        put32(h, quint32(data.size()));  // original size
        put32(h, 0x5A210000);            // 2025/01/01 00:00 in MS-DOS form
        h += char(0x20);                 // archive attribute
        h += char(0);                    // header level
        h += char(name.size());
        h += name;
        const quint16 crc = crc16(data);
        h += char(crc & 0xFF);
        h += char(crc >> 8);
        quint8 sum = 0;
        for (const char c : h) sum += static_cast<quint8>(c);
        out += char(h.size());
        out += char(sum);
        out += h;
        out += data;
    }
    out += char(0);  // end of archive
    return out;
}

}  // namespace LzhFixture
