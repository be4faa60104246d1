// Undo steps of the surface's own, beside the document's: positioning (what the editing commands
// insert loses its position) and commands run as one step (a dialog's several changes), kept as
// the number of the document's own steps they made. Both are undone and redone while they are
// the latest, and forgotten once the document's own history moves past them.
(function () {
    'use strict';
    const s = window.corvalisSurface;
    if (!s)
        return;

    const ownUndo = [], ownRedo = [];
    let replaying = false, group = null;
    function setStyle(e, style) {
        if (style === null)
            e.removeAttribute('style');
        else
            e.setAttribute('style', style);
    }
    function ownStep(redo) {
        const step = (redo ? ownRedo : ownUndo).pop();
        if (!step)
            return false;
        replaying = true;
        if (step.element)
            setStyle(step.element, redo ? step.after : step.before);
        for (let i = 0; i < (step.steps || 0); ++i)
            document.execCommand(redo ? 'redo' : 'undo', false, null);
        replaying = false;
        (redo ? ownUndo : ownRedo).push(step);
        s.report('displayChanged');
        return true;
    }
    function history(redo) {
        return ownStep(redo) || document.execCommand(redo ? 'redo' : 'undo', false, null);
    }
    function historyMoved(event) {
        if (replaying)
            return;
        if (group) {
            ++group.steps;
            return;
        }
        if (event.inputType !== 'historyRedo')
            ownRedo.length = 0;
        if (event.inputType !== 'historyUndo')
            ownUndo.length = 0;
    }
    function historyKeys(event) {
        const key = event.key.toLowerCase();
        if (!event.ctrlKey || event.altKey || event.metaKey || (key !== 'z' && key !== 'y'))
            return;
        const redo = key === 'y' || event.shiftKey;
        if ((redo ? ownRedo : ownUndo).length) {
            event.preventDefault();
            ownStep(redo);
        }
    }
    // A step made outside the editing commands (a positioning): { element, before, after } styles.
    function ownStepMade(step) {
        ownUndo.push(step);
        ownRedo.length = 0;
    }

    Object.assign(s, { history, historyMoved, historyKeys, ownStepMade });
    Object.assign(s.bridge, {
        editorRedo() {
            return history(true);
        },
        // The commands between the two calls are one step for Undo.
        editorBeginStep() {
            group = { steps: 0 };
            return true;
        },
        editorEndStep() {
            const made = group ? group.steps : 0;
            group = null;
            if (made > 1)
                ownUndo.push({ steps: made });
            else if (made === 1)
                ownUndo.length = 0;
            if (made)
                ownRedo.length = 0;
            return true;
        },
    });
})();
