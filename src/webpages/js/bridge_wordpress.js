// WordPress's edit screens: the classic one (a form with the body in a text area that TinyMCE
// covers in its Visual tab) and the block editor (no form; the body goes in through its Code
// editor's text area). Only the DOM is used: the page's own scripts are out of this world's reach.
(function () {
    'use strict';

    const textValue = Object.getOwnPropertyDescriptor(HTMLTextAreaElement.prototype, 'value').set;
    const blockText = () => document.querySelector('textarea.editor-post-text-editor');
    function screen() {
        if (document.body && document.body.classList.contains('block-editor-page'))
            return document.querySelector('.edit-post-layout') ? 'block' : null;
        const form = document.getElementById('post');
        return form && form.tagName === 'FORM' && document.getElementById('wp-content-wrap') &&
               form.elements.namedItem('content') ? 'classic' : null;
    }
    // Whether posts this user writes keep scripts, frames and forms: the classic screen carries
    // the nonce only such users get, the block editor's preloaded post the matching link.
    function unfiltered(kind) {
        if (kind === 'classic')
            return !!document.getElementsByName('_wp_unfiltered_html_comment')[0];
        return Array.from(document.scripts).some(s => s.text.includes('"wp:action-unfiltered-html"'));
    }
    // The Options menu's mode choice: the second of its radio items is the Code editor.
    // The menu stays open after the choice, over the Publish panel: it is closed again.
    function chooseCodeEditor() {
        const options = document.querySelector('.interface-more-menu-dropdown > button');
        let items = document.querySelectorAll('.interface-more-menu-dropdown__content [role=menuitemradio]');
        if (items.length < 2) {
            if (!options)
                return false;
            options.click();
            items = document.querySelectorAll('.interface-more-menu-dropdown__content [role=menuitemradio]');
        }
        const code = Array.from(items).find(i => i.textContent.includes('Code editor')) || items[1];
        if (code)
            code.click();
        if (options && options.getAttribute('aria-expanded') === 'true')
            options.click();
        return !!code;
    }
    // The part of `e` on screen. In the block editor the body runs from below the title to the
    // bottom of the box its content scrolls in (an empty post's blocks or code are a line high).
    function visibleBox(e) {
        const box = e.getBoundingClientRect();
        let top = Math.max(box.top, 0), bottom = Math.min(box.bottom, window.innerHeight);
        const scroller = e.closest('.interface-interface-skeleton__content');
        if (scroller) {
            const outer = scroller.getBoundingClientRect();
            const title = document.querySelector('.editor-post-title__input');
            top = Math.max(top, outer.top, title ? title.getBoundingClientRect().bottom : 0);
            bottom = Math.min(outer.bottom, window.innerHeight);
        }
        return [box.left, top, box.width, Math.max(bottom - top, 0)];
    }

    // Writing a large body takes the page most of a second: the classic screen lays its text area
    // out anew, the block editor reads its blocks again. A transfer keeps the body and writes it
    // when the user next presses a key or a button in the page (Publish, say), as the form is
    // submitted, or after a pause, so that the transfers that follow the editor do not hold the
    // page up each time.
    const writePauseMs = 2000;
    let pendingBody = null;
    function writePendingBody() {
        if (!pendingBody)
            return;
        const { area, write, timer } = pendingBody;
        pendingBody = null;
        clearTimeout(timer);
        if (area.isConnected)
            write();
    }
    for (const event of ['pointerdown', 'keydown', 'submit'])
        window.addEventListener(event, writePendingBody, true);
    function writeLater(area, write) {
        if (pendingBody)
            clearTimeout(pendingBody.timer);
        pendingBody = { area, write, timer: setTimeout(writePendingBody, writePauseMs) };
    }

    Object.assign(window.corvalisBridge, {
        // { screen: 'classic' | 'block', unfiltered } on an edit screen, else null.
        wordpressScreen() {
            const kind = screen();
            return kind ? { screen: kind, unfiltered: unfiltered(kind) } : null;
        },
        // Puts `html` in as the post's body. The classic screen is first switched to its Text tab,
        // so that what is posted is the field's value and not TinyMCE's copy. The block editor is
        // first switched to its Code editor; 'waiting' while the switch has not shown its text area.
        wordpressSetBody(html) {
            const kind = screen();
            if (kind === 'classic') {
                const wrap = document.getElementById('wp-content-wrap');
                const text = document.getElementById('content-html');
                if (!wrap.classList.contains('html-active') && text)
                    text.click();
                if (!wrap.classList.contains('html-active'))
                    return false;
                const area = document.getElementById('post').elements.namedItem('content');
                writeLater(area, () => { area.value = html; });
                return true;
            }
            if (kind !== 'block')
                return false;
            const area = blockText();
            if (!area)
                return chooseCodeEditor() ? 'waiting' : false;
            // The editor takes a change of the area from its input event and reads the blocks from
            // it when the area loses the focus. The area is told of both without taking the focus:
            // the press that writes it is the user's, and its focus and caret stay where the user
            // puts them.
            writeLater(area, () => {
                textValue.call(area, html);
                area.dispatchEvent(new Event('input', { bubbles: true }));
                area.dispatchEvent(new FocusEvent('focusout', { bubbles: true }));
            });
            return true;
        },
        // The box of the post's body on screen, [left, top, width, height]: the classic editor's
        // area (under its tabs, whichever tab shows), or the block editor's text area or blocks.
        wordpressBodyRect() {
            const kind = screen();
            const e = kind === 'classic' ? document.getElementById('wp-content-editor-container')
                    : kind === 'block' ? blockText() || document.querySelector('.is-root-container, .edit-post-visual-editor')
                    : null;
            return e ? visibleBox(e) : null;
        },
        // The block editor's notice that the post was published or updated, null when none shows.
        wordpressNotice() {
            const notice = document.querySelector('.components-snackbar-list .components-snackbar');
            return notice ? notice.textContent : null;
        },
    });
})();
