#pragma once

#include "core/table/xlsx_reader.h"

#include <QBuffer>
#include <QMap>

#include <memory>
#include <utility>

// A workbook's parts held in memory, by their names in the archive.
class PartsInMemory : public XlsxParts {
public:
    explicit PartsInMemory(QMap<QString, QByteArray> parts) : parts_(std::move(parts)) {}
    std::unique_ptr<QIODevice> open(const QString &name) override
    {
        if (!parts_.contains(name))
            return nullptr;
        auto device = std::make_unique<QBuffer>();
        device->setData(parts_.value(name));
        device->open(QIODevice::ReadOnly);
        return device;
    }

private:
    QMap<QString, QByteArray> parts_;
};
