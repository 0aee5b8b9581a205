// One value of the route swapped with the value the command holds; undo and redo are the
// same swap, so the command needs only the new value.
#pragma once

#include "formcommand.h"
#include "routeform.h"

#include <QObject>

#include <type_traits>

namespace swapfield {

template <typename Getter> struct Traits;
template <typename C, typename R, typename... A> struct Traits<R (C::*)(A...) const>
{
    using Owner = C;
    using Value = std::decay_t<R>;
    // A station field is reached through the station's index first.
    static constexpr int Keys = int(sizeof...(A)) + (std::is_same_v<C, Station> ? 1 : 0);
};

template <auto Getter, typename... K> auto read(const RouteForm &form, K... keys)
{
    using T = Traits<decltype(Getter)>;
    if constexpr (std::is_same_v<typename T::Owner, Route>) {
        return (form.route().*Getter)(keys...);
    } else if constexpr (std::is_same_v<typename T::Owner, RouteForm>) {
        return (form.*Getter)(keys...);
    } else {
        return [&](int station, auto... rest) {
            const Station *s = form.route().station(station);
            return s ? (s->*Getter)(rest...) : typename T::Value();
        }(keys...);
    }
}

} // namespace swapfield

// The description texts the commands share.
namespace commandtext {
inline constexpr char none[] = "";
inline constexpr char number[] = "Смена номера\n";
inline constexpr char startingPoint[] = "Смена пункта отправления\n";
inline constexpr char destination[] = "Смена пункта назначения\n";
inline constexpr char boardMode[] = "Выбор режима переднего табло\n";
inline constexpr char boardFont[] = "Выбор шрифта переднего табло\n";
inline constexpr char frontColor[] = "Выбор цвета переднего табло\n";
inline constexpr char leftSofit[] = "Выбор цвета левого софита\n";
inline constexpr char rightSofit[] = "Выбор цвета правого софита\n";
inline constexpr char sideSeparator[] = "Изменение разделителя остановок\n";
inline constexpr char salonOrder[] = "Изменение порядка вывода на бегущей строке\n";
inline constexpr char routeText[] = "Изменение строки маршрут\n";
inline constexpr char nextDelay[] = "Изменение задержки объявления следующей\n";
inline constexpr char stationName[] = "Изменение имени остановки\n";
inline constexpr char stationNextName[] = "Изменение следующей остановки\n";
inline constexpr char stationSideName[] = "Изменение бококого имени остановки\n";
inline constexpr char stationCoordinate[] = "Изменение координат остановки\n";
inline constexpr char stationRadius[] = "Изменение радиуса остановки\n";
inline constexpr char addStation[] = "Добавление остановки\n";
inline constexpr char removeStation[] = "Удаление остановки\n";
inline constexpr char addTextFile[] = "Добавление файла %1 к остановке\n";
inline constexpr char removeTextFile[] = "Удаление файла %1 от остановки\n";
inline constexpr char moveTextFile[] = "Перемещение текстового файла на остановке\n";
} // namespace commandtext

// Getter reads the field, Apply is the form's apply operation, Text the description.
template <auto Getter, auto Apply, const char *Text = commandtext::none>
class SwapCommand : public FormCommand<swapfield::Traits<decltype(Getter)>::Keys>
{
    using Base = FormCommand<swapfield::Traits<decltype(Getter)>::Keys>;
    static constexpr int KeyCount = swapfield::Traits<decltype(Getter)>::Keys;

public:
    using Value = typename swapfield::Traits<decltype(Getter)>::Value;

    template <int K = KeyCount, std::enable_if_t<K == 0, int> = 0>
    SwapCommand(RouteForm *form, const Value &value, QUndoCommand *parent = nullptr)
        : SwapCommand(form, typename Base::Keys{}, value, parent)
    {
    }
    template <int K = KeyCount, std::enable_if_t<K == 1, int> = 0>
    SwapCommand(RouteForm *form, int key, const Value &value, QUndoCommand *parent = nullptr)
        : SwapCommand(form, typename Base::Keys{key}, value, parent)
    {
    }
    template <int K = KeyCount, std::enable_if_t<K == 2, int> = 0>
    SwapCommand(RouteForm *form, int station, int lang, const Value &value,
                QUndoCommand *parent = nullptr)
        : SwapCommand(form, typename Base::Keys{station, lang}, value, parent)
    {
    }

    void redo() override
    {
        Value old = std::apply(
            [this](auto... keys) { return swapfield::read<Getter>(*this->m_form, keys...); },
            this->m_keys);
        this->template call<Apply>(m_value);
        m_value = std::move(old);
    }
    void undo() override { redo(); }

    const Value &value() const { return m_value; }

private:
    SwapCommand(RouteForm *form, const typename Base::Keys &keys, const Value &value,
                QUndoCommand *parent)
        : Base(form, keys, parent), m_value(value)
    {
        this->setText(QObject::tr(Text));
    }

    Value m_value;
};
