// The help viewer of the preview: shows a help file embedded in the page (PDF, HTML or text) over the
// page, as the display control's help buttons open the device's help.
const previewHelp = (function () {
  'use strict';
  const urls = new Map();  // embedded file -> its object URL, made once

  function objectUrl(path, uri) {
    if (!urls.has(path)) {
      const comma = uri.indexOf(',');
      const type = uri.slice('data:'.length, uri.indexOf(';'));
      const binary = atob(uri.slice(comma + 1));
      const bytes = new Uint8Array(binary.length);
      for (let i = 0; i < binary.length; ++i) bytes[i] = binary.charCodeAt(i);
      const blob = new Blob([bytes], {type: type === 'text/plain' || type === 'text/html' ? type + ';charset=utf-8' : type});
      urls.set(path, {url: URL.createObjectURL(blob), type: type, bytes: bytes});
    }
    return urls.get(path);
  }

  // Scrolls a shown HTML help file to the element that anchor names (by id, else by name); when the file
  // has none, says so above it: the display control would open that file at its start as well.
  function seekAnchor(frame, anchor, notice) {
    const page = frame.contentDocument;
    const target = page && (page.getElementById(anchor) || page.getElementsByName(anchor)[0]);
    if (target) {
      target.scrollIntoView();
      frame.dataset.anchorFound = 'true';
    } else {
      notice.hidden = false;
    }
  }

  // The viewer's body for one help reference: the file, a link for a web address, or why there is none.
  // anchor, when not empty, is the place in the file that the help was asked for.
  function body(data, path, anchor, el) {
    if (!path) {
      return el('p', {class: 'notice', text: 'No help file: the localized file names none for this language, ' +
        'or the one it names is not there.'});
    }
    if (/^https?:\/\//.test(path)) {
      const address = anchor ? path + '#' + encodeURIComponent(anchor) : path;
      return el('p', {}, 'The help is on the web: ', el('a', {href: address, target: '_blank', rel: 'noopener', text: address}));
    }
    const uri = data.files[path];
    if (!uri) {
      const why = data.refused[path];
      return el('p', {class: 'notice', text: why ? path + ' not shown: ' + why : 'missing ' + path});
    }
    const file = objectUrl(path, uri);
    const missing = el('p', {class: 'notice anchor-missing', hidden: true,
      text: 'No anchor "' + anchor + '" in ' + path + ': the help opens at its start.'});
    if (file.type === 'text/html') {
      // Shown without its scripts: the page is sent to reviewers and runs only its own code. Without
      // scripts the file may share the page's origin, so that the page can find the anchor in it.
      const frame = el('iframe', {class: 'help-file', sandbox: 'allow-same-origin', srcdoc: new TextDecoder().decode(file.bytes),
        'data-path': path, 'data-anchor': anchor || null, title: path});
      if (anchor) frame.addEventListener('load', function () { seekAnchor(frame, anchor, missing); });
      return [missing, frame];
    }
    if (file.type === 'application/pdf') {
      // The browser's PDF viewer opens at a named destination given after the address.
      return [el('iframe', {class: 'help-file', src: anchor ? file.url + '#nameddest=' + encodeURIComponent(anchor) : file.url,
        'data-path': path, 'data-anchor': anchor || null, title: path})];
    }
    if (anchor) missing.textContent = 'A text file has no anchors: the help for "' + anchor + '" opens at its start.';
    missing.hidden = !anchor;
    return [missing, el('iframe', {class: 'help-file', src: file.url, 'data-path': path, title: path})];
  }

  // Opens the viewer over the page, at anchor when one is given; the close button or Escape closes it again.
  function open(data, title, path, el, anchor) {
    close();
    const name = (path ? path.split(/[\\/]/).pop() : '') + (path && anchor ? '#' + anchor : '');
    const viewer = el('div', {class: 'help-viewer', id: 'help-viewer', role: 'dialog', 'aria-label': title},
      el('div', {class: 'help-bar'},
        el('span', {class: 'help-title', text: title + (name ? ': ' + name : '')}),
        path && data.files[path] ? el('a', {href: objectUrl(path, data.files[path]).url, target: '_blank',
          text: 'Open in a new tab'}) : null,
        el('button', {class: 'help-close', text: '\u2715', title: 'Close', onclick: close})),
      ...[].concat(body(data, path, anchor, el)));
    document.body.append(viewer);
  }
  function close() {
    const old = document.getElementById('help-viewer');
    if (old) old.remove();
  }
  document.addEventListener('keydown', function (event) {
    if (event.key === 'Escape') close();
  });

  return {open: open, close: close};
})();
