// Draws the device preview from the data blob the inspector wrote into the page: menu bar, toolbar,
// header, module tabs, a tree that unfolds lazily, and one display at a time, in the chosen language.
(function () {
  'use strict';
  const data = JSON.parse(document.getElementById('device-data').textContent);
  const state = {
    lang: 0,
    module: 0,
    display: null,      // id of the display shown, in the current module
    selected: null,     // key of the selected tree entry
    online: data.online,
    expanded: new Set(),
    tree: true,
    header: true,
    pictures: true,
    variant: '',        // DDSTRING key whose label variants are shown; empty: every variant
  };
  let uniqueName = 0;

  // A text is a string, or one string per language when the languages differ.
  function t(text) {
    if (Array.isArray(text)) return text[state.lang] !== undefined ? text[state.lang] : text[0];
    return text === undefined || text === null ? '' : text;
  }
  function builtin(id, fallback) {
    const text = data.texts[id] === undefined ? '' : t(data.texts[id]);
    return text || fallback;
  }
  function el(tag, attrs, ...children) {
    const node = document.createElement(tag);
    for (const [key, value] of Object.entries(attrs || {})) {
      if (value === undefined || value === null || value === false) continue;
      if (key === 'class') node.className = value;
      else if (key === 'text') node.textContent = value;
      else if (key.startsWith('on')) node.addEventListener(key.slice(2), value);
      else if (key === 'style') node.style.cssText = value;
      else node.setAttribute(key, value === true ? '' : value);
    }
    for (const child of children) if (child !== null && child !== undefined) node.append(child);
    return node;
  }
  function baseName(path) { return path.split(/[\\/]/).pop(); }

  // A picture from the page's embedded files; a file that was not found, or that the inspector would
  // not take into the page, shows as a visible placeholder that says which and why.
  function picture(path, cls) {
    const uri = path ? data.images[path] : null;
    if (uri) return el('img', {class: 'picture ' + (cls || ''), src: uri, alt: baseName(path), title: baseName(path)});
    const why = path ? data.refused[path] : undefined;
    if (why) {
      return el('span', {class: 'missing refused ' + (cls || ''), title: path + ': ' + why,
        text: baseName(path) + ' not shown: ' + why});
    }
    return el('span', {class: 'missing ' + (cls || ''), title: path || '', text: 'missing ' + (path ? baseName(path) : 'picture')});
  }
  // Every file the page would not take in, once, so a refused bitmap strip is explained as well.
  function drawRefused() {
    const paths = Object.keys(data.refused);
    if (paths.length === 0) return null;
    const list = el('ul', {class: 'refused-files'});
    for (const path of paths) list.append(el('li', {'data-path': path, text: path + ' not shown: ' + data.refused[path]}));
    return list;
  }

  // A bitmap strip cut into square pieces: the piece height is the strip's height.
  function stripPiece(node, path, index) {
    const uri = path ? data.images[path] : null;
    if (!uri) return false;
    node.style.backgroundImage = 'url("' + uri + '")';
    const image = new Image();
    image.onload = function () {
      const size = image.naturalHeight || 16;
      node.style.width = size + 'px';
      node.style.height = size + 'px';
      node.style.backgroundPosition = (-index * size) + 'px 0';
    };
    image.src = uri;
    node.style.backgroundPosition = (-index * 16) + 'px 0';
    return true;
  }

  function parameter(par, ref) { return data.parameters[par + ':' + ref]; }

  // A label as the author wrote it. A label that varies with the device's DDSTRING shows its variants,
  // each marked with its key (the toolbar's variant selector narrows them to one key); one whose variants
  // the interface does not hand out shows its reference, marked. prefix goes in front (an item's legend).
  function labelNode(plain, variants, conditional, ref, prefix) {
    const before = prefix ? prefix + ' ' : '';
    if (variants && variants.length > 0) {
      const chosen = variants.filter(function (v) { return v.key === state.variant; });
      const span = el('span', {class: 'variants', title: 'The label depends on DDSTRING: ' +
        variants.map(function (v) { return v.key; }).join(', ')}, before);
      (chosen.length > 0 ? chosen : variants).forEach(function (variant, index) {
        if (index > 0) span.append(el('span', {class: 'or', text: ' | '}));
        span.append(el('span', {class: 'variant', 'data-key': variant.key, text: t(variant.label) || variant.key,
          title: 'DDSTRING ' + variant.key + (t(variant.tooltip) ? ': ' + t(variant.tooltip) : '')}));
      });
      return span;
    }
    if (conditional) {
      return el('span', {class: 'variants unresolved', text: before + ref,
        title: 'The label depends on DDSTRING; its variants are those of its label reference'});
    }
    return document.createTextNode(plain);
  }
  function parameterLabel(par, fallback) {
    if (!par) return document.createTextNode(fallback);
    return labelNode(t(par.label) || fallback, par.variants, par.conditionalLabel, fallback);
  }
  // Every DDSTRING key of a label variant or a choice, for the variant selector.
  function variantKeys() {
    const keys = new Set();
    for (const par of Object.values(data.parameters)) {
      for (const v of par.variants || []) keys.add(v.key);
      for (const c of par.choices || []) if (c.key) keys.add(c.key);
    }
    for (const display of Object.values(data.displays)) {
      for (const item of display.items) for (const v of item.variants || []) keys.add(v.key);
    }
    return Array.from(keys).sort();
  }
  // The choices the chosen DDSTRING key leaves: those without a key and those with that key.
  function choicesOf(par) {
    return ((par && par.choices) || []).filter(function (c) { return !c.key || !state.variant || c.key === state.variant; });
  }
  function choiceText(choice) {
    return (t(choice.label) || String(choice.value)) + (choice.key && !state.variant ? ' [' + choice.key + ']' : '');
  }

  // What a value shows: a metavariable its value, a variable a sample of its type through its format
  // (the item's own format first). Marked as a sample, with the type and format in its title.
  function valueOf(par, itemFormat) {
    if (!par) return null;
    if (par.value) return {text: par.value, title: null};
    const format = itemFormat || par.format || '';
    const first = choicesOf(par)[0];
    const text = previewValues.sample(par.type, format, first && (t(first.label) || String(first.value)));
    if (text === null) return null;
    return {text: text, title: 'sample ' + par.type + ' value' + (format ? ' as ' + format : '')};
  }
  function valueNode(par, itemFormat) {
    const value = valueOf(par, itemFormat);
    if (!value) return el('span', {class: 'static', text: '\u2014'});
    return el('span', {class: 'static' + (value.title ? ' sample' : ''), title: value.title, text: value.text});
  }

  // Marks what the author made conditional on an item or header place: its display condition, conditional
  // handling and conditional format, each with the keyword as written.
  function conditionMarks(item, par) {
    const marks = [];
    // An item's own condition, else its variable's.
    const condition = (item && item.condition) || (par && par.condition);
    if (condition) marks.push(['DISPLAY_CONDITION ' + condition.toUpperCase(), 'shown by the display condition']);
    if (par && par.handling === 'conditional') marks.push(['HANDLING COND', 'writable on a condition']);
    if (par && par.conditionalFormat) marks.push(['FORMAT_CONTROL %COND%', 'the format is chosen on a condition']);
    return marks.map(function (m) { return el('span', {class: 'mark', title: m[1], text: m[0]}); });
  }
  function currentModule() { return data.modules[state.module]; }

  // Where the device help opens for an element, as the localized file's anchor kind says: at its help
  // topic, at its identifier, or (no anchors, or no help topic) nowhere in particular: then it has no
  // help button of its own and the toolbar's opens the file.
  function helpAnchor(ref, par) {
    const kind = t(data.help.dtm.anchor);
    if (!par) return '';
    if (kind === 'helptopic') return t(par.helpTopic);
    return kind === 'id' ? ref : '';
  }
  function helpButton(ref, par) {
    const anchor = helpAnchor(ref, par);
    if (!anchor) return null;
    const title = builtin('toolBarDtmHelp', 'DTM help');
    return el('button', {class: 'item-help', 'data-anchor': anchor, title: title + ': ' + anchor, text: '?',
      onclick: function () { previewHelp.open(data, title, t(data.help.dtm.path), el, anchor); }});
  }

  // Menu bar: the device's entries, then the current module's; popups open on click, nested ones too.
  function closeMenus(except) {
    document.querySelectorAll('.menubar .menu.open').forEach(function (menu) {
      if (!except || !menu.contains(except)) menu.classList.remove('open');
    });
  }
  function runMenuEntry(entry) {
    closeMenus();
    if (entry.action === 'setlanguage') {
      const index = data.languages.findIndex(function (l) { return l.code === entry.target; });
      if (index >= 0) setLanguage(index);
    } else if (entry.action === 'module') {
      const index = data.modules.findIndex(function (m) { return m.id === entry.target; });
      if (index >= 0) selectModule(index);
    }
  }
  function menuEntries(entries, top) {
    const nodes = [];
    for (const entry of entries) {
      if (entry.type === 'separator') { nodes.push(el('div', {class: 'separator'})); continue; }
      const label = t(entry.label) || entry.target || entry.variable || '(no label)';
      let children = entry.type === 'popup-begin' ? entry.items || [] : null;
      let choices = [];
      if (entry.variable) {
        const variable = parameter('variable', entry.variable);
        choices = choicesOf(variable);
      }
      if (children === null && choices.length === 0) {
        nodes.push(el('button', {class: 'entry command', 'data-action': entry.action, title: entry.target,
          onclick: function () { runMenuEntry(entry); }, text: label}));
        continue;
      }
      const popup = el('div', {class: 'popup'});
      for (const node of menuEntries(children || [], false)) popup.append(node);
      for (const choice of choices) {
        popup.append(el('button', {class: 'entry choice', 'data-key': choice.key, text: choiceText(choice),
          onclick: function () { closeMenus(); }}));
      }
      const menu = el('div', {class: 'menu' + (top ? '' : ' sub')});
      const button = el('button', {class: 'entry', text: label, onclick: function (event) {
        event.stopPropagation();
        const open = menu.classList.contains('open');
        closeMenus(menu);
        menu.classList.toggle('open', !open);
        menu.querySelectorAll('.menu.open').forEach(function (m) { m.classList.remove('open'); });
      }});
      menu.append(button, popup);
      nodes.push(menu);
    }
    return nodes;
  }
  function drawMenubar() {
    const bar = el('nav', {class: 'menubar'});
    const module = currentModule();
    for (const node of menuEntries(data.menubar.concat(module ? module.menubar : []), true)) bar.append(node);
    return bar;
  }

  // Toolbar: the display control's own buttons, then the device's, cut from its bitmap strip.
  function drawToolbar() {
    const bar = el('div', {class: 'toolbar'});
    const own = [
      ['tree', 'toolBarToggleTree', '\u2630'],
      ['header', 'toolBarToggleHeader', '\u25AD'],
      ['pictures', 'toolBarTogglePictures', '\u25A3'],
    ];
    for (const [key, textId, glyph] of own) {
      bar.append(el('button', {class: 'tool own', 'data-toggle': key, title: builtin(textId, key),
        'aria-pressed': String(state[key]), text: glyph,
        onclick: function () { state[key] = !state[key]; render(); }}));
    }
    for (const [kind, textId, fallback, glyph] of [['dtm', 'toolBarDtmHelp', 'DTM help', '?'],
      ['ui', 'toolBarUIHelp', 'UI help', 'i']]) {
      const title = builtin(textId, fallback);
      bar.append(el('button', {class: 'tool own', 'data-help': kind, title: title, text: glyph, onclick: function () {
        previewHelp.open(data, title, t(data.help[kind].path), el);
      }}));
    }
    bar.append(el('span', {class: 'sep'}));
    for (const item of data.toolbar.items) {
      if (item.type === 'separator') { bar.append(el('span', {class: 'sep'})); continue; }
      const button = el('button', {class: 'tool device', 'data-id': item.id, 'data-bitmap': item.bitmap,
        title: t(item.label) || item.target || item.id});
      if (item.type === 'check') {
        button.setAttribute('aria-pressed', 'false');
        button.addEventListener('click', function () {
          button.setAttribute('aria-pressed', String(button.getAttribute('aria-pressed') !== 'true'));
        });
      }
      if (!stripPiece(button, data.toolbar.strip, item.bitmap)) {
        button.classList.add('no-strip');
        button.textContent = '#' + item.bitmap;
      }
      bar.append(button);
    }
    const keys = variantKeys();
    if (keys.length > 0) {
      const select = el('select', {class: 'variant-key', id: 'variant', title: 'DDSTRING of conditional labels',
        onchange: function () { state.variant = select.value; render(); }},
        el('option', {value: '', text: 'Every DDSTRING variant', selected: !state.variant}));
      for (const key of keys) select.append(el('option', {value: key, text: 'DDSTRING ' + key, selected: key === state.variant}));
      bar.append(el('span', {class: 'sep'}), select);
    }
    return bar;
  }

  // Header: the places of the current mode (online or offline) and the general ones, with the logos.
  function placeValue(record) {
    const value = el('span', {class: 'value'});
    if (record.par === 'image') {
      const image = parameter('image', record.ref);
      value.append(picture(image && image.image, 'header-picture'));
      return value;
    }
    const par = parameter(record.par, record.ref);
    if (record.kind === 'led' || record.kind === 'led-handling') value.append(el('span', {class: 'led'}));
    if (record.control) {
      value.append(el('span', {class: 'embedded', style: 'width:' + (record.control.width || 120) + 'px;height:' +
        (record.control.height || 32) + 'px', text: record.control.progId || record.control.id}));
    } else if (record.par === 'method') {
      value.append(el('button', {}, parameterLabel(par, record.ref)));
    } else {
      value.append(valueNode(par, ''));
    }
    if (record.status) {
      const status = parameter('variable', record.status);
      value.append(el('span', {class: 'led status', title: (status && t(status.label)) || record.status}));
    }
    for (const mark of conditionMarks(null, par)) value.append(mark);
    return value;
  }
  function drawHeader() {
    const mode = state.online ? 'online' : 'offline';
    const header = el('div', {class: 'header' + (state.header ? '' : ' hidden'), 'data-mode': mode});
    const vendor = el('div', {class: 'logos vendor'});
    for (const path of data.logos.vendor) vendor.append(picture(path, 'logo'));
    const places = el('div', {class: 'places'});
    const shown = new Set();
    for (const record of data.header) {
      if ((record.mode !== mode && record.mode !== 'general') || shown.has(record.place)) continue;
      shown.add(record.place);
      const par = parameter(record.par, record.ref);
      places.append(el('div', {class: 'place', 'data-place': record.place, 'data-kind': record.kind},
        el('span', {class: 'name', title: record.place}, parameterLabel(par, record.place)), placeValue(record)));
    }
    const device = el('div', {class: 'logos device'});
    for (const path of data.logos.device) device.append(picture(path, 'logo'));
    const modes = el('div', {class: 'modes'},
      el('button', {'data-mode': 'online', 'aria-pressed': String(state.online), text: 'Online',
        onclick: function () { state.online = true; render(); }}),
      el('button', {'data-mode': 'offline', 'aria-pressed': String(!state.online), text: 'Offline',
        onclick: function () { state.online = false; render(); }}));
    header.append(vendor, places, device, modes);
    return header;
  }

  function drawTabs() {
    const tabs = el('div', {class: 'tabs'});
    data.modules.forEach(function (module, index) {
      const icon = module.icon && (data.images[module.icon] || data.refused[module.icon]) ?
        picture(module.icon, 'tab-icon') : null;
      tabs.append(el('button', {class: 'tab' + (index === state.module ? ' selected' : '') +
          (module.tab ? '' : ' menu-module'), 'data-module': module.id, title: module.integration,
        onclick: function () { selectModule(index); }}, icon, t(module.name) || module.id));
    });
    if (data.languages.length > 1) {
      const select = el('select', {class: 'language', id: 'language', onchange: function () {
        setLanguage(select.selectedIndex);
      }});
      data.languages.forEach(function (language, index) {
        select.append(el('option', {value: language.code, selected: index === state.lang, text: language.name}));
      });
      tabs.append(select);
    }
    return tabs;
  }

  // The tree: only unfolded branches have their entries built, so a menu of thousands costs nothing
  // until it is opened.
  function treeEntry(node, key, module) {
    const li = el('li', {'data-ref': node.r, 'data-type': node.t});
    const hasChildren = node.c && node.c.length > 0;
    const toggle = el('span', {class: 'toggle', text: hasChildren ? '\u25B8' : ''});
    const icon = el('span', {class: 'icon'});
    if (node.i === undefined || !stripPiece(icon, module.treeIcons, node.i)) icon.style.display = 'none';
    const label = el('span', {class: 'label' + (key === state.selected ? ' selected' : '') + (node.x ? ' repeated' : ''),
      'data-display': node.d}, labelNode(t(node.l) || node.r || '(no label)', node.v, node.cl, node.r));
    label.addEventListener('click', function () {
      state.selected = key;
      document.querySelectorAll('.tree .label.selected').forEach(function (l) { l.classList.remove('selected'); });
      label.classList.add('selected');
      if (node.d) {
        showDisplay(node.d);
      } else if (node.t === 'module') {  // a link to another module opens that module
        const index = data.modules.findIndex(function (m) { return m.id === node.r; });
        if (index >= 0) selectModule(index);
      }
    });
    li.append(el('div', {class: 'line'}, toggle, icon, label));
    let list = null;
    function unfold(open) {
      if (!hasChildren) return;
      if (open && !list) {
        list = el('ul');
        const fragment = document.createDocumentFragment();
        node.c.forEach(function (child, index) { fragment.append(treeEntry(child, key + '/' + index, module)); });
        list.append(fragment);
        li.append(list);
      }
      if (list) list.hidden = !open;
      toggle.textContent = open ? '\u25BE' : '\u25B8';
      if (open) state.expanded.add(key); else state.expanded.delete(key);
    }
    toggle.addEventListener('click', function () { unfold(!state.expanded.has(key) || (list && list.hidden)); });
    label.addEventListener('dblclick', function () { unfold(!(list && !list.hidden)); });
    if (state.expanded.has(key)) unfold(true);
    return li;
  }
  function drawTree() {
    const aside = el('aside', {class: 'tree' + (state.tree ? '' : ' hidden')});
    const module = currentModule();
    const list = el('ul');
    if (module) {
      module.tree.forEach(function (node, index) { list.append(treeEntry(node, state.module + ':' + index, module)); });
    }
    aside.append(list);
    return aside;
  }

  // One display item as the control its style names.
  function control(item, par) {
    const choices = choicesOf(par);
    const readOnly = par && par.handling === 'readonly';
    switch (item.style) {
      case 'edit': {
        const value = valueOf(par, item.format);
        return el('input', {type: par && par.type === 'PASSWORD' ? 'password' : 'text', value: value ? value.text : '',
          class: value && value.title ? 'sample' : null, title: value && value.title,
          placeholder: item.format || (par && par.format) || '', readonly: readOnly, style: item.align ?
            'text-align:' + item.align.toLowerCase() : null});
      }
      case 'static':
        return valueNode(par, item.format);
      case 'radio': {
        const name = 'radio' + (++uniqueName);
        const set = el('fieldset', {class: 'choices'});
        choices.forEach(function (choice, index) {
          set.append(el('label', {'data-key': choice.key}, el('input', {type: 'radio', name: name, value: choice.value,
            checked: index === 0}), ' ' + choiceText(choice)));
        });
        return set;
      }
      case 'checkbox':
        return el('input', {type: 'checkbox', disabled: readOnly});
      case 'list':
      case 'combo': {
        const select = el('select', {size: item.style === 'list' ? Math.max(2, Math.min(choices.length, 6)) : null,
          multiple: item.style === 'list' && par && /BIT_ENUM/.test(par.type), disabled: readOnly});
        for (const choice of choices) {
          select.append(el('option', {value: choice.value, 'data-key': choice.key, text: choiceText(choice)}));
        }
        return select;
      }
      case 'button':
      case 'module-button':
        return el('button', {class: 'method'}, itemLabel(item, par));
      case 'led':
        return el('span', {class: 'led', title: item.ref});
      default:
        if (item.par === 'module') {
          return el('div', {class: 'embedded', style: 'width:' + (item.weight || 160) + 'px;height:' + (item.height || 60) + 'px',
            text: (item.labelRef || item.ref) + (item.legend ? ' (' + item.legend + ')' : '')});
        }
        if (item.par === 'image') return picture(par && par.image, 'display-picture');
        return el('span', {class: 'unknown', text: 'unknown control ' + item.ref});
    }
  }
  function headline(item) {
    const style = [];
    if (item.font) style.push('font-family:"' + item.font.replace(/"/g, '') + '",sans-serif');
    if (item.height) style.push('font-size:' + item.height + 'px');
    if (item.weight) style.push('font-weight:' + item.weight);
    if (item.italic) style.push('font-style:italic');
    if (item.underline) style.push('text-decoration:underline');
    if (item.color !== undefined) {
      // A colour is a Windows COLORREF: 0x00BBGGRR.
      const c = item.color;
      style.push('color:rgb(' + (c & 255) + ',' + ((c >> 8) & 255) + ',' + ((c >> 16) & 255) + ')');
    }
    return el('div', {class: 'headline'}, el('div', {style: style.join(';'), text: t(item.label) || item.ref}));
  }
  function column() {
    return el('div', {class: 'column'},
      el('div', {class: 'head', text: builtin('naviColumnHeadLabel', 'Label')}),
      el('div', {class: 'head', text: builtin('naviColumnHeadValue', 'Value')}),
      el('div', {class: 'head', text: builtin('naviColumnHeadUnit', 'Unit')}));
  }
  function itemLabel(item, par) {
    const plain = t(item.label) || (par && t(par.label)) || item.ref;
    return labelNode(plain, item.variants, item.conditionalLabel, item.labelRef || item.ref, item.legend);
  }
  function drawDisplay() {
    const main = el('main', {class: 'display', id: 'display'});
    const module = currentModule();
    if (!state.display || !module) {
      main.append(el('p', {class: 'hint', text: 'Choose an entry of the tree.'}));
      return main;
    }
    const display = data.displays[module.id + '/' + state.display];
    main.setAttribute('data-display', state.display);
    if (!display || !display.found) {
      main.append(el('p', {class: 'notice', text: 'The display ' + state.display + ' is not declared in ' + module.id + '.'}));
      return main;
    }
    const title = el('h2', {text: t(display.label) || state.display});
    if (display.rwro) {
      title.append(el('span', {class: 'mark', text: 'RWRO_COND',
        title: 'editable only while the read/write condition of the menu that names it holds'}));
    }
    if (display.valid) {
      const valid = parameter('variable', display.valid);
      title.append(el('span', {class: 'mark', text: 'VALIDITY_ID ' + display.valid,
        title: 'valid while ' + ((valid && t(valid.label)) || display.valid) + ' allows it'}));
    }
    main.append(title);
    const columns = el('div', {class: 'columns'});
    let current = column();
    columns.append(current);
    for (const item of display.items) {
      if (item.style === 'newcolumn') { current = column(); columns.append(current); continue; }
      if (item.style === 'headline') { current.append(headline(item)); continue; }
      if (item.style === 'emptyfield') { current.append(el('div', {class: 'empty'}, el('div'))); continue; }
      const par = parameter(item.par, item.ref);
      const wide = item.par === 'module' || item.par === 'image' || item.style === 'button';
      const marks = conditionMarks(item, par);
      const row = el('div', {class: 'item' + (marks.length > 0 ? ' conditional' : ''), 'data-ref': item.ref,
        'data-style': item.style, 'data-par': item.par});
      const cell = el('div', {class: 'control', title: (par && t(par.tooltip)) || null}, control(item, par), ...marks);
      const help = helpButton(item.ref, par);
      if (wide) {
        cell.style.gridColumn = '1 / -1';
        if (help) cell.append(help);
        row.append(cell);
      } else {
        row.append(el('div', {class: 'label'}, itemLabel(item, par)), cell, el('div', {class: 'unit'}, help));
      }
      current.append(row);
    }
    main.append(columns);
    const nav = el('div', {class: 'nav'});
    const buttons = [['home', 'navBarGoHome', 'Home'], ['first', 'navBarGoStart', 'Start'],
      ['previous', 'navBarGoBack', 'Back'], ['next', 'navBarGoForward', 'Forward'], ['last', 'navBarGoLast', 'Last']];
    for (const [key, textId, fallback] of buttons) {
      const target = display.nav[key];
      nav.append(el('button', {'data-nav': key, 'data-target': target || null, disabled: !target,
        text: builtin(textId, fallback), onclick: function () { showDisplay(target); }}));
    }
    main.append(nav);
    return main;
  }

  function showDisplay(id) {
    state.display = id;
    const old = document.getElementById('display');
    if (old) old.replaceWith(drawDisplay()); else render();
  }
  // A module opens on the display of its first tree entry that has one, that entry selected, so the page
  // never starts empty.
  function openFirstDisplay() {
    state.display = null;
    state.selected = null;
    const module = currentModule();
    if (!module) return;
    const pending = module.tree.map(function (node, index) { return [node, state.module + ':' + index]; });
    for (let visited = 0; pending.length > 0 && visited < 10000; ++visited) {
      const [node, key] = pending.shift();
      if (node.d) {
        state.display = node.d;
        state.selected = key;
        return;
      }
      (node.c || []).forEach(function (child, index) { pending.push([child, key + '/' + index]); });
    }
  }
  function selectModule(index) {
    state.module = index;
    openFirstDisplay();
    render();
  }
  function setLanguage(index) {
    state.lang = index;
    document.documentElement.lang = data.languages[index].code;
    render();
  }

  function render() {
    const app = el('div', {id: 'app', class: state.pictures ? '' : 'pictures-off', 'data-language': data.languages[state.lang].code});
    const refused = drawRefused();
    app.append(drawMenubar(), drawToolbar(), ...(refused ? [refused] : []), drawHeader(), drawTabs(),
      el('div', {class: 'body'}, drawTree(), drawDisplay()));
    const old = document.getElementById('app');
    if (old) old.replaceWith(app); else document.body.append(app);
  }

  document.addEventListener('click', function (event) {
    if (!event.target.closest('.menubar')) closeMenus();
  });
  const first = data.modules.findIndex(function (m) { return m.tab; });
  state.module = first >= 0 ? first : 0;
  openFirstDisplay();
  render();
})();
