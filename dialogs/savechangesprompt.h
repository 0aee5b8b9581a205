// The one question asked before unsaved changes would be lost: save, discard or cancel.
#pragma once

#include <QString>

class QWidget;

enum class SaveChangesAnswer
{
    Save,
    Discard,
    Cancel // also Esc and closing the box
};

// A modal warning box over `parent` with `text`, "Сохранить" as the default button;
// `which` names what is asked about when there may be several.
SaveChangesAnswer askToSaveChanges(QWidget *parent, const QString &text,
                                   const QString &which = QString());
