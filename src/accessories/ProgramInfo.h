#pragma once

#include <QString>

// The support mailbox: the About window shows it and feedback mails go to it.
QString SupportAddress();

// The program's version as four numbers "major.minor.release.build".
QString ProgramVersionText();
