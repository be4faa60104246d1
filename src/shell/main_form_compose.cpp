#include "shell/main_form.h"

void MainForm::createCompose() {}
