#include "dialogs/kernel_dialogs.h"

#include "dialogs/dialog_logic.h"
#include "dialogs/dialog_util.h"

namespace kvis {

namespace {
namespace kernel = idc::Kernel;
namespace structure = idc::KernelStructure;
}  // namespace

TDlgKernel::TDlgKernel(QWidget* parent, Document& doc) : TCentrDialog(parent, tpl::Kernel), doc_(doc) {
    onCommand(kernel::Details, [this] { details(); });
}

void TDlgKernel::setUp() {
    TCentrDialog::setUp();
    onDoubleClick(listBox(kernel::List), [this] { details(); });
    listBox(kernel::List)->setColumnFont();
    fillList();
    listBox(kernel::List)->setSelIndex(0);
}

void TDlgKernel::fillList() {
    vertices_.clear();
    std::vector<std::string> lines;
    for (const auto& line : dlg::kernelLines(doc_.project(), doc_.results())) {
        vertices_.push_back(line.vertex);
        lines.push_back(line.text);
    }
    refillList(*this, kernel::List, lines, kernel::Count);
}

void TDlgKernel::details() {
    TListBox* list = listBox(kernel::List);
    const int sel = list->getSelIndex();
    if (sel < 0 || sel >= static_cast<int>(vertices_.size())) return;
    doc_.selectedKernelVertex = vertices_[static_cast<size_t>(sel)];
    TDlgKernelStr nested(this, doc_);
    nested.runModal();
    fillList();
    list->setFocus();
}

TDlgKernelStr::TDlgKernelStr(QWidget* parent, const Document& doc)
    : TCentrDialog(parent, tpl::KernelStructure), doc_(doc) {}

void TDlgKernelStr::setUp() {
    TCentrDialog::setUp();
    listBox(structure::Members)->setColumnFont();
    fillList();
    listBox(structure::Members)->setSelIndex(0);
    const dlg::KernelStructure s = dlg::kernelStructure(doc_.project(), doc_.results(), doc_.selectedKernelVertex);
    staticText(structure::Type)->setText(s.type);
    staticText(structure::Code)->setText(s.code);
}

void TDlgKernelStr::fillList() {
    refillList(*this, structure::Members,
               dlg::kernelStructure(doc_.project(), doc_.results(), doc_.selectedKernelVertex).members);
}

}  // namespace kvis
