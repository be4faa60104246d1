// Undo steps of the surface's own, beside the document's: changes made outside the editing
// commands (positioning, whose result they would lose; table changes, which they make slowly
// on large tables), and commands run as one step (a dialog's several changes). A step is
// { undo(), redo() }. Own steps are undone and redone while they are the latest, and forgotten
// once the document's own history moves past them.
(function () {
    'use strict';
    const s = window.corvalisSurface;
    if (!s)
        return;

    const ownUndo = [], ownRedo = [];
    let replaying = false, group = null;
    // One of the document's own steps, within a group.
    const documentStep = {
        undo() { document.execCommand('undo', false, null); },
        redo() { document.execCommand('redo', false, null); },
    };
    function ownStep(redo) {
        const step = (redo ? ownRedo : ownUndo).pop();
        if (!step)
            return false;
        replaying = true;
        try {
            if (redo)
                step.redo();
            else
                step.undo();
        } finally {
            replaying = false;
        }
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
            group.push(documentStep);
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
    // Several steps as one: undone the last first.
    function joined(steps) {
        return {
            undo() {
                for (let i = steps.length - 1; i >= 0; --i)
                    steps[i].undo();
            },
            redo() {
                for (const step of steps)
                    step.redo();
            },
        };
    }
    function ownStepMade(step) {
        if (group) {
            group.push(step);
            return;
        }
        ownUndo.push(step);
        ownRedo.length = 0;
    }

    Object.assign(s, { history, historyMoved, historyKeys, joined, ownStepMade });
    Object.assign(s.bridge, {
        editorRedo() {
            return history(true);
        },
        // The commands between the two calls are one step for Undo.
        editorBeginStep() {
            group = [];
            return true;
        },
        editorEndStep() {
            const made = group || [];
            group = null;
            if (made.length === 1 && made[0] === documentStep) {
                ownUndo.length = 0; // the document's own step is the latest
                ownRedo.length = 0;
            } else if (made.length) {
                ownStepMade(made.length === 1 ? made[0] : joined(made));
            }
            return true;
        },
    });
})();
