// Adding, removing and moving names in the three file lists: a station's sound files, a
// station's text files and the route's ad texts.
#pragma once

#include "formcommand.h"
#include "routeform.h"
#include "swapcommand.h"

#include <QObject>

namespace filelist {

struct StationSoundFiles
{
    static constexpr int Keys = 1;
    static constexpr auto insert = &RouteForm::insertStationSoundFile;
    static constexpr auto remove = &RouteForm::removeStationSoundFile;
    static constexpr auto move = &RouteForm::moveStationSoundFile;
    static QString name(const RouteForm &form, int station, int row)
    {
        const Station *s = form.route().station(station);
        return s ? s->soundFiles().value(row) : QString();
    }
};

struct StationTextFiles
{
    static constexpr int Keys = 1;
    static constexpr auto insert = &RouteForm::insertStationTextFile;
    static constexpr auto remove = &RouteForm::removeStationTextFile;
    static constexpr auto move = &RouteForm::moveStationTextFile;
    static QString name(const RouteForm &form, int station, int row)
    {
        const Station *s = form.route().station(station);
        return s ? s->textFiles().value(row) : QString();
    }
};

struct AdTextFiles
{
    static constexpr int Keys = 0;
    static constexpr auto insert = &RouteForm::insertAdTextFile;
    static constexpr auto remove = &RouteForm::removeAdTextFile;
    static constexpr auto move = &RouteForm::moveAdTextFile;
    static QString name(const RouteForm &form, int row)
    {
        return form.route().adTextFiles().value(row);
    }
};

// Inserts (Insert true) or removes a name at a row; the inverse does the other.
template <typename List, bool Insert, const char *Text>
class EditFileCommand : public FormCommand<List::Keys>
{
    using Base = FormCommand<List::Keys>;

public:
    const QString &fileName() const { return m_name; }

    void redo() override { apply(Insert); }
    void undo() override { apply(!Insert); }

protected:
    EditFileCommand(RouteForm *form, const typename Base::Keys &keys, int row, const QString &name,
                    QUndoCommand *parent)
        : Base(form, keys, parent), m_row(row), m_name(name)
    {
        if (*Text)
            this->setText(QObject::tr(Text).arg(name));
    }
    static QString nameAt(RouteForm *form, const typename Base::Keys &keys, int row)
    {
        return std::apply([&](auto... k) { return List::name(*form, k..., row); }, keys);
    }

private:
    void apply(bool insert)
    {
        if (insert)
            this->template call<List::insert>(m_row, m_name);
        else
            this->template call<List::remove>(m_row);
    }

    int m_row;
    QString m_name;
};

} // namespace filelist

// Adds a name at a row: (form, [station,] row, name).
template <typename List, const char *Text = commandtext::none>
class AddFileCommand : public filelist::EditFileCommand<List, true, Text>
{
    using Base = filelist::EditFileCommand<List, true, Text>;

public:
    template <int K = List::Keys, std::enable_if_t<K == 0, int> = 0>
    AddFileCommand(RouteForm *form, int row, const QString &name, QUndoCommand *parent = nullptr)
        : Base(form, {}, row, name, parent)
    {
    }
    template <int K = List::Keys, std::enable_if_t<K == 1, int> = 0>
    AddFileCommand(RouteForm *form, int station, int row, const QString &name,
                   QUndoCommand *parent = nullptr)
        : Base(form, {station}, row, name, parent)
    {
    }
};

// Removes the name at a row, which it reads when constructed: (form, [station,] row).
template <typename List, const char *Text = commandtext::none>
class RemoveFileCommand : public filelist::EditFileCommand<List, false, Text>
{
    using Base = filelist::EditFileCommand<List, false, Text>;

public:
    template <int K = List::Keys, std::enable_if_t<K == 0, int> = 0>
    RemoveFileCommand(RouteForm *form, int row, QUndoCommand *parent = nullptr)
        : Base(form, {}, row, Base::nameAt(form, {}, row), parent)
    {
    }
    template <int K = List::Keys, std::enable_if_t<K == 1, int> = 0>
    RemoveFileCommand(RouteForm *form, int station, int row, QUndoCommand *parent = nullptr)
        : Base(form, {station}, row, Base::nameAt(form, {station}, row), parent)
    {
    }
};

// Moves a name from one row to another: (form, [station,] from, to).
template <typename List, const char *Text = commandtext::none>
class MoveFileCommand : public FormCommand<List::Keys>
{
    using Base = FormCommand<List::Keys>;

public:
    template <int K = List::Keys, std::enable_if_t<K == 0, int> = 0>
    MoveFileCommand(RouteForm *form, int from, int to, QUndoCommand *parent = nullptr)
        : MoveFileCommand(form, typename Base::Keys{}, from, to, parent)
    {
    }
    template <int K = List::Keys, std::enable_if_t<K == 1, int> = 0>
    MoveFileCommand(RouteForm *form, int station, int from, int to, QUndoCommand *parent = nullptr)
        : MoveFileCommand(form, typename Base::Keys{station}, from, to, parent)
    {
    }

    void redo() override { this->template call<List::move>(m_from, m_to); }
    void undo() override { this->template call<List::move>(m_to, m_from); }

private:
    MoveFileCommand(RouteForm *form, const typename Base::Keys &keys, int from, int to,
                    QUndoCommand *parent)
        : Base(form, keys, parent), m_from(from), m_to(to)
    {
        this->setText(QObject::tr(Text));
    }

    int m_from;
    int m_to;
};

using AddStationTextFileCmd = AddFileCommand<filelist::StationTextFiles, commandtext::addTextFile>;
using RemoveStationTextFileCmd =
    RemoveFileCommand<filelist::StationTextFiles, commandtext::removeTextFile>;
using MoveStationTextFileCmd =
    MoveFileCommand<filelist::StationTextFiles, commandtext::moveTextFile>;
using AddStationSoundFileCmd = AddFileCommand<filelist::StationSoundFiles>;
using RemoveStationSoundFileCmd = RemoveFileCommand<filelist::StationSoundFiles>;
using MoveStationSoundFileCmd = MoveFileCommand<filelist::StationSoundFiles>;
using AddAdwareTextFileCmd = AddFileCommand<filelist::AdTextFiles>;
using RemoveAdTextFileCmd = RemoveFileCommand<filelist::AdTextFiles>;
using MoveAdwareTextFileCmd = MoveFileCommand<filelist::AdTextFiles>;
