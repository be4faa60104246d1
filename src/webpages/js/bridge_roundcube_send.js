// Roundcube's Send: its button posts the compose form into a hidden frame ("savetarget") with
// form.submit(), which fires no submit event, and the service answers in that frame with a script
// for the page ("sent_successfully", or an error message). A send counts when it began inside the
// user's own press on Send (a trusted click, or Enter in Roundcube's subject question) or inside
// the program's own press, and it is reported with the service's answer once that has arrived.
(function () {
    'use strict';
    const bridge = window.corvalisBridge;
    const sends = new WeakMap(); // the answer frame of each send that counts: what it posted
    let host = null;

    function composeForm() {
        const f = document.querySelector('form[name="form"]');
        return f && f.target === 'savetarget' ? f : null;
    }
    // The send Roundcube has just begun, if any: its answer frame is new and its form posts into it
    // as a message, not a draft.
    function noteSend(own) {
        const frame = document.querySelector('iframe[name="savetarget"]');
        const f = composeForm();
        if (!frame || sends.has(frame) || !f)
            return false;
        const draft = bridge.find.elementsOf(f).namedItem('_draft');
        if (draft && draft.value)
            return false;
        sends.set(frame, { data: bridge.find.encodeFields(f), action: bridge.find.actionOf(f), own: own });
        return true;
    }
    function isSendControl(target) {
        return target instanceof Element && !!target.closest('button.send');
    }
    // Roundcube's handlers run after these capturing listeners; the send they begin is looked for
    // once the user's event has been handled.
    window.addEventListener('click', function (event) {
        if (event.isTrusted && isSendControl(event.target))
            setTimeout(function () { noteSend(false); }, 0);
    }, true);
    window.addEventListener('keydown', function (event) {
        const dialog = event.target instanceof Element && event.target.closest('.ui-dialog');
        if (event.isTrusted && event.key === 'Enter' && dialog && dialog.querySelector('button.send'))
            setTimeout(function () { noteSend(false); }, 0);
    }, true);

    // The service's words in its answer: the message Roundcube shows the user.
    function answerOf(frame) {
        let text = '';
        try {
            text = frame.contentDocument ? frame.contentDocument.documentElement.innerHTML : '';
        } catch (e) {
            // the browser's own error page is of no origin of the service's
        }
        if (/\.sent_successfully\(/.test(text))
            return { outcome: 'sent', message: '' };
        const error = /\.display_message\(("(?:[^"\\]|\\.)*")\s*,\s*"error"/.exec(text);
        if (!error)
            return { outcome: 'unclear', message: '' };
        let message = error[1];
        try {
            message = JSON.parse(error[1]);
        } catch (e) {
            // shown as it stands
        }
        // Roundcube's messages are markup: their text is what the user reads.
        const shown = new DOMParser().parseFromString(String(message), 'text/html').documentElement.textContent;
        return { outcome: 'refused', message: shown };
    }
    // Capturing on the document (a frame's load event does not reach the window): before
    // Roundcube's own load handler removes the frame.
    document.addEventListener('load', function (event) {
        const send = sends.get(event.target);
        if (!send)
            return;
        sends.delete(event.target);
        if (host)
            host.answered(Object.assign({}, send, answerOf(event.target)));
    }, true);

    // Roundcube asks before a compose page with unsent changes is left; a page the program wrote
    // itself (a merge's) may be left without asking, once the program has said so.
    let leaveQuietly = false;
    window.addEventListener('beforeunload', function (event) {
        if (leaveQuietly)
            event.stopImmediatePropagation();
    });
    bridge.roundcubeLeaveQuietly = function () {
        leaveQuietly = true;
        return true;
    };

    const earlier = bridge.onChannel;
    bridge.onChannel = function (objects) {
        if (earlier)
            earlier(objects);
        host = objects.corvalisSends || null;
    };
    // The program's own press on Send: true when Roundcube began the send (its checks passed).
    bridge.roundcubeSend = function () {
        const button = document.querySelector('button.send');
        if (!button)
            return false;
        button.click();
        return noteSend(true);
    };
})();
