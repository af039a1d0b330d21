#pragma once

#include <QByteArray>
#include <QIODevice>

#include <algorithm>
#include <cstring>

// What standard input is: bytes that come once, from a device that cannot seek.
class SequentialBytes : public QIODevice {
public:
    explicit SequentialBytes(const QByteArray &bytes) : bytes_(bytes) { open(QIODevice::ReadOnly); }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        const qint64 size = std::min(maxSize, qint64(bytes_.size()) - at_);
        std::memcpy(data, bytes_.constData() + at_, std::size_t(size));
        at_ += size;
        return size;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray bytes_;
    qint64 at_ = 0;
};
