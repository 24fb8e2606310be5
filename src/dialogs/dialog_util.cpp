#include "dialogs/dialog_util.h"

#include "model/numfmt.h"

namespace kvis {

void refillList(TDialog& dialog, int listId, const std::vector<std::string>& lines, int countId) {
    TListBox* list = dialog.listBox(listId);
    if (!list) return;
    const int sel = list->getSelIndex();
    list->setUpdatesEnabled(false);
    list->clearList();
    for (const auto& line : lines) list->addString(line);
    list->setSelIndex(sel);
    list->setUpdatesEnabled(true);
    if (countId != -1)
        if (TStatic* count = dialog.staticText(countId)) count->setText(format("%d", list->getCount()));
}

void onDoubleClick(TListBox* list, std::function<void()> action) {
    if (!list) return;
    QObject::connect(list, &QListWidget::itemDoubleClicked, list, [action](QListWidgetItem*) { action(); });
}

}  // namespace kvis
