#pragma once
// Bounds-checked little-endian reading over a byte block. Every read past the end yields 0
// and clears ok(), so decoders check once after a group of reads instead of before each.
#include <QByteArrayView>
#include <cstring>

namespace platform {

class ByteReader {
  public:
    explicit ByteReader(QByteArrayView data) : data_(data) {}

    bool ok() const { return ok_; }
    qsizetype pos() const { return pos_; }
    qsizetype remaining() const { return data_.size() - pos_; }
    bool atEnd() const { return pos_ >= data_.size(); }

    quint8 u8() { return quint8(take(1)); }
    quint16 u16() { return quint16(take(2)); }
    qint16 i16() { return qint16(take(2)); }
    quint32 u32() { return quint32(take(4)); }
    qint32 i32() { return qint32(take(4)); }
    float f32() {
        const quint32 v = u32();
        float f;
        static_assert(sizeof f == sizeof v);
        memcpy(&f, &v, sizeof f);
        return f;
    }
    // The next n bytes, or an empty view (and ok() false) when fewer are left.
    QByteArrayView bytes(qsizetype n) {
        if (n < 0 || n > remaining()) {
            ok_ = false;
            pos_ = data_.size();
            return {};
        }
        const QByteArrayView v = data_.sliced(pos_, n);
        pos_ += n;
        return v;
    }
    void skip(qsizetype n) { bytes(n); }

  private:
    quint64 take(int n) {
        const QByteArrayView v = bytes(n);
        quint64 r = 0;
        for (int i = v.size() - 1; i >= 0; --i)
            r = (r << 8) | quint8(v[i]);
        return r;
    }

    QByteArrayView data_;
    qsizetype pos_ = 0;
    bool ok_ = true;
};

} // namespace platform
