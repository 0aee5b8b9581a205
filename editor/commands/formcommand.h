// Base of the commands that reach the route through the form's apply operations.
#pragma once

#include <QUndoCommand>

#include <array>
#include <tuple>

class RouteForm;

// A command aimed at N keys (a language, a station, or a station and a language). The
// apply operations take the keys first, then their own arguments.
template <int N> class FormCommand : public QUndoCommand
{
protected:
    using Keys = std::array<int, N>;

    FormCommand(RouteForm *form, const Keys &keys, QUndoCommand *parent)
        : QUndoCommand(parent), m_form(form), m_keys(keys)
    {
    }

    template <auto Operation, typename... Args> auto call(Args &&...args) const
    {
        return std::apply(
            [&](auto... keys) {
                return (m_form->*Operation)(keys..., std::forward<Args>(args)...);
            },
            m_keys);
    }

    RouteForm *m_form;
    Keys m_keys;
};
