#pragma once

#include <QString>

// The support mailbox, a value of the build: the About window shows it and feedback mails go to it.
QString SupportAddress();

// The program's version as four numbers "major.minor.release.build", from the build; empty when
// the build carries no version.
QString ProgramVersionText();

// The version text of a version of one to four numbers ("1.2" -> "1.2.0.0"); empty for an empty or
// malformed version.
QString FormatProgramVersion(const QString& version);
