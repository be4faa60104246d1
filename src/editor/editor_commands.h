#pragma once

// The editing command set of the editor's surface: command ids, the statuses the status query
// answers, and how a command may involve the user.
namespace EditorCommands {

// The editing command set.
enum Command : int {
    Bold = 5000,
    Copy = 5002,
    Cut = 5003,
    DeleteColumns = 5006,
    DeleteRows = 5007,
    FontDialog = 5009,
    GetFontName = 5013,
    GetFontSize = 5014,
    CreateLink = 5016,
    Indent = 5018,
    InsertColumn = 5020,
    InsertRow = 5021,
    InsertTable = 5022,
    Italic = 5023,
    JustifyCenter = 5024,
    JustifyLeft = 5025,
    JustifyRight = 5026,
    MakeAbsolute = 5028,
    NumberedList = 5030,
    Outdent = 5031,
    Paste = 5032,
    SelectAll = 5035,
    SendToBack = 5040,
    SetBlockFormat = 5043,
    SetFontName = 5044,
    SetFontSize = 5045,
    SetForeColor = 5046,
    Underline = 5048,
    Undo = 5049,
    Unlink = 5050,
    BulletedList = 5051,
};
// What the status query answers; "available" means Enabled or more.
enum Status : int { NotSupported = 0, Disabled = 1, Enabled = 3, Latched = 7, Mixed = 11 };
// How a command may involve the user.
enum ExecOption : int { DefaultOption = 0, PromptUser = 1, DontPromptUser = 2 };

} // namespace EditorCommands
