#include "shell/main_form.h"

void MainForm::createStore() {}
