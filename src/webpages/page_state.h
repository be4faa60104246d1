#pragma once

#include <QString>

// The state the page operations share while the program runs; cleared at start-up.
struct PageState {
    QString webmail;         // provider of the page worked on: "yahoo" or "hotmail"
    bool to_retry = false;   // an address insertion waits for the compose page
    int to_retry_which = 0;  // its field code
    bool did_insert = false; // the compose page was just filled: skip clearing it once
    QString template_subj;
    QString template_body;
};
