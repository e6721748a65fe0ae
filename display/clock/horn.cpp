// SPDX-License-Identifier: GPL-3.0-or-later
#include "horn.h"

#include <QTimer>

Horn::Horn(QObject *parent) : QObject(parent)
{
    QTimer::singleShot(0, this, &Horn::prepare);
}

Horn::~Horn() = default;

void Horn::prepare()
{
    if (m_looked)
        return;
    m_looked = true;
    m_output = OpenOutput();
}

void Horn::sound()
{
    prepare();
    if (m_output)
        m_output->play();
}
