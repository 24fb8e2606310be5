#pragma once
// The kernel of the final graph and the structure of one kernel vertex.
#include <vector>

#include "dialogs/centr_dialog.h"
#include "document/document.h"

namespace kvis {

// Kernel of the graph of outranking (110).
class TDlgKernel : public TCentrDialog {
public:
    TDlgKernel(QWidget* parent, Document& doc);
    void setUp() override;
    virtual void fillList();
    void details();

    // The vertex of each line, in line order.
    const std::vector<int>& lineVertices() const { return vertices_; }

private:
    Document& doc_;
    std::vector<int> vertices_;
};

// Structure of kernel (111), for selectedKernelVertex.
class TDlgKernelStr : public TCentrDialog {
public:
    TDlgKernelStr(QWidget* parent, const Document& doc);
    void setUp() override;
    virtual void fillList();

private:
    const Document& doc_;
};

}  // namespace kvis
