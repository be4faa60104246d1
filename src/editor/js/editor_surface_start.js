// The last part: the document made editable and the surface's listeners connected, once the
// document is there.
(function () {
    'use strict';
    const s = window.corvalisSurface;
    if (!s)
        return;

    function connect() {
        document.designMode = 'on';
        // The page bridge owns the channel; the editor's host object comes with it.
        s.bridge.onChannel = function (objects) { s.host = objects.corvalisEditor || null; };
        // Timers do not run in a page whose scripts are off: the program coalesces the reports.
        const changed = function () { s.report('displayChanged'); };
        document.addEventListener('selectionchange', changed);
        document.addEventListener('input', changed);
        document.addEventListener('keydown', s.tabInTable);
        document.addEventListener('keydown', s.historyKeys);
        document.addEventListener('input', s.historyMoved);
        window.addEventListener('blur', function () { s.report('focusLost'); });
    }
    if (document.readyState === 'loading')
        document.addEventListener('DOMContentLoaded', connect);
    else
        connect();
})();
