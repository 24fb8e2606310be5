#include "dialogs/kernel_dialogs.h"

#include "dialogs/dialog_logic.h"
#include "dialogs/dialog_util.h"

namespace kvis {

TDlgKernel::TDlgKernel(QWidget* parent) : TCentrDialog(parent, 110) {
    onCommand(207, [this] { details(); });
}

void TDlgKernel::setUp() {
    TCentrDialog::setUp();
    onDoubleClick(listBox(205), [this] { details(); });
    listBox(205)->setColumnFont();
    fillList();
    listBox(205)->setSelIndex(0);
}

void TDlgKernel::fillList() {
    const Workspace& w = ws();
    vertices_.clear();
    std::vector<std::string> lines;
    for (const auto& line : dlg::kernelLines(w.project, w.results)) {
        vertices_.push_back(line.vertex);
        lines.push_back(line.text);
    }
    refillList(*this, 205, lines, 206);
}

void TDlgKernel::details() {
    TListBox* list = listBox(205);
    const int sel = list->getSelIndex();
    if (sel < 0 || sel >= static_cast<int>(vertices_.size())) return;
    ws().selectedKernelVertex = vertices_[static_cast<size_t>(sel)];
    TDlgKernelStr nested(this);
    nested.runModal();
    fillList();
    list->setFocus();
}

TDlgKernelStr::TDlgKernelStr(QWidget* parent) : TCentrDialog(parent, 111) {}

void TDlgKernelStr::setUp() {
    TCentrDialog::setUp();
    const Workspace& w = ws();
    listBox(202)->setColumnFont();
    fillList();
    listBox(202)->setSelIndex(0);
    const dlg::KernelStructure s = dlg::kernelStructure(w.project, w.results, w.selectedKernelVertex);
    staticText(501)->setText(s.type);
    staticText(500)->setText(s.code);
}

void TDlgKernelStr::fillList() {
    const Workspace& w = ws();
    refillList(*this, 202, dlg::kernelStructure(w.project, w.results, w.selectedKernelVertex).members);
}

}  // namespace kvis
