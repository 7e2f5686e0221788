// "Проверить по таблице...": every record of a task's table spoken through a template, with a
// progress window that can stop it and a window of what was found, beside the trees, that can
// check again. Nothing is written.
#pragma once

#include "dialogs/FormPreflight.h"

#include <string>

class QWidget;

namespace vorela {

class UiServices;

struct TableCheckRequest {
    std::string task;
    std::string operatorName; // empty: every operator of the task
    std::string caption;      // of the messages
    RecordPlayer playRecord;  // a double click on a row; may be empty
};

/// Runs the check and shows its result in a window of parent's that stays open beside it; a check
/// that could not run or was stopped is told, and nothing of a stopped check is shown as if it
/// were whole. While a window of the task is open it is raised instead.
void checkByTable(const TableCheckSources &sources, UiServices &ui,
                  const TableCheckRequest &request, QWidget *parent);

} // namespace vorela
