#include "FleetFile.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QSaveFile>

namespace e2e {

namespace {

QJsonArray ReadDevices(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object().value(QStringLiteral("devices")).toArray();
}

} // namespace

bool FleetFile::Generate(int count, const QStringList &options)
{
    QProcess generator;
    generator.start(QStringLiteral(VREL_DEVICE_PATH),
                    QStringList{QStringLiteral("--generate"), QString::number(count), QStringLiteral("--out"), m_path}
                        + options);
    return generator.waitForFinished(30000) && generator.exitStatus() == QProcess::NormalExit
           && generator.exitCode() == 0 && Count() == count;
}

bool FleetFile::Patch(int index, const QJsonObject &fields)
{
    QJsonArray devices = ReadDevices(m_path);
    if (index < 0 || index >= devices.size())
        return false;
    QJsonObject device = devices.at(index).toObject();
    for (auto it = fields.begin(); it != fields.end(); ++it)
        device.insert(it.key(), it.value());
    devices.replace(index, device);

    QSaveFile file(m_path);
    // The file holds the devices' secrets: only its owner may read it.
    if (!file.open(QIODevice::WriteOnly) || !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return false;
    QJsonObject root;
    root.insert(QStringLiteral("devices"), devices);
    file.write(QJsonDocument(root).toJson());
    return file.commit();
}

QJsonObject FleetFile::Device(int index) const
{
    return ReadDevices(m_path).at(index).toObject();
}

QJsonObject FleetFile::DeviceBySerial(const QString &serial) const
{
    const QJsonArray devices = ReadDevices(m_path);
    for (const QJsonValue &value : devices) {
        if (value.toObject().value(QStringLiteral("serial")).toString() == serial)
            return value.toObject();
    }
    return {};
}

int FleetFile::Count() const
{
    return int(ReadDevices(m_path).size());
}

} // namespace e2e
