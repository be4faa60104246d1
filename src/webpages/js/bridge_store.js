// Reading a displayed web-mail message for the local message store.
Object.assign(window.corvalisBridge, {
    // The markup of the last element, in document order, whose class attribute is exactly
    // `className` (a second class makes it another element); null when there is none.
    lastElementHtmlOfClass(className) {
        let found = null;
        for (const e of document.getElementsByTagName('*')) {
            if (e.className === className)
                found = e;
        }
        return found ? found.innerHTML : null;
    },
});
