#include "Password.h"
#include "forms/Registro.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TfrmPass::TfrmPass(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPass"));
    setWindowTitle(QStringLiteral("Password"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto *lay = new QVBoxLayout(this);
    lay->addWidget(new QLabel(QStringLiteral("Inserisci la Password"), this));
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setEchoMode(QLineEdit::Password);
    lay->addWidget(Edit1);
    // The password is kept exactly as typed: an apostrophe is a character like any other.
    connect(Edit1, &QLineEdit::returnPressed, this, &QDialog::accept);
}

namespace {
// Created once at start-up, in the program's order.
const bool registrati =
    forms::registra(frmPass, "frmPass");
} // namespace
