// One stop of a route: announcement texts per language, files, position and radius.
#pragma once

#include <QGeoCoordinate>
#include <QString>
#include <QStringList>

#include <utility>

class Station
{
public:
    Station() = default;

    const QString &name(int lang) const { return m_name[slot(lang)]; }
    void setName(int lang, QString v) { m_name[slot(lang)] = std::move(v); }
    const QString &nextName(int lang) const { return m_nextName[slot(lang)]; }
    void setNextName(int lang, QString v) { m_nextName[slot(lang)] = std::move(v); }
    const QString &sideName(int lang) const { return m_sideName[slot(lang)]; }
    void setSideName(int lang, QString v) { m_sideName[slot(lang)] = std::move(v); }

    const QStringList &soundFiles() const { return m_soundFiles; }
    QStringList &soundFiles() { return m_soundFiles; }
    void setSoundFiles(const QStringList &v) { m_soundFiles = v; }
    const QStringList &textFiles() const { return m_textFiles; }
    QStringList &textFiles() { return m_textFiles; }
    void setTextFiles(const QStringList &v) { m_textFiles = v; }

    const QGeoCoordinate &coordinate() const { return m_coordinate; }
    void setCoordinate(const QGeoCoordinate &v) { m_coordinate = v; }
    quint8 radius() const { return m_radius; }
    void setRadius(quint8 v) { m_radius = v; }

private:
    static int slot(int lang) { return lang > 0 ? 1 : 0; }

    QString m_name[2];
    QString m_nextName[2];
    QString m_sideName[2];
    QStringList m_soundFiles;
    QStringList m_textFiles;
    QGeoCoordinate m_coordinate;
    quint8 m_radius = 25;
};
