// Drives a preview page in headless Chromium as a device author would use it, and fails on the first
// thing that does not behave like the display control.
// Usage: node drive_preview.js demo|large|samples PAGE.html
'use strict';
const assert = require('node:assert/strict');
const puppeteer = require('puppeteer-core');

const [scenario, page] = process.argv.slice(2);

async function textsOf(tab, selector) {
  return tab.$$eval(selector, (nodes) => nodes.map((n) => n.textContent.trim()));
}
async function clickTreeEntry(tab, label) {
  const [entry] = await tab.$$(`xpath/.//aside//span[contains(@class,"label") and text()="${label}"]`);
  assert.ok(entry, `tree entry "${label}"`);
  await entry.click();
}
async function unfold(tab, label) {
  const [toggle] = await tab.$$(
    `xpath/.//aside//span[contains(@class,"label") and text()="${label}"]/preceding-sibling::span[@class="toggle"]`);
  assert.ok(toggle, `fold button of "${label}"`);
  await toggle.click();
}
async function clickMenu(tab, label) {
  const [entry] = await tab.$$(`xpath/.//nav[@class="menubar"]//button[text()="${label}"]`);
  assert.ok(entry, `menu entry "${label}"`);
  await entry.click();
}

async function shown(tab) {
  return tab.$eval('#display', (n) => n.dataset.display);
}
// The help viewer after a click on a toolbar help button: its file's path and its first bytes as text.
async function openHelp(tab, kind) {
  await tab.click(`.toolbar .tool[data-help="${kind}"]`);
  const frame = await tab.waitForSelector('#help-viewer iframe.help-file');
  return frame.evaluate(async (n) => {
    const text = n.srcdoc || await (await fetch(n.src)).text();
    return {path: n.dataset.path, text: text.slice(0, 400)};
  });
}

async function demo(tab) {
  assert.equal(await tab.title(), 'Morvane Messtechnik GmbH PT-42');
  assert.deepEqual(await textsOf(tab, '.tabs .tab'), ['Setup', 'Diagnosis', 'Trend']);

  // The first display of the first module is open at start, its tree entry selected; values are samples
  // of their type through the item's own format (%.2f), not the format itself; a conditional label shows
  // its variants after the item's legend.
  assert.equal(await shown(tab), 'disSetupOverview');
  assert.deepEqual(await textsOf(tab, 'aside .label.selected'), ['Setup']);
  assert.equal(await tab.$eval('#display .item[data-ref="varPV"] .static', (n) => n.textContent), '12.34');
  assert.equal(await tab.$eval('#display .item[data-ref="varSerialNumber"] .static', (n) => n.textContent), '42');
  assert.equal(await tab.$eval('#display .item[data-ref="varTag"] .static', (n) => n.textContent), 'Text');
  assert.equal(await tab.$eval('#display .item[data-ref="varPV"] .label', (n) => n.textContent),
    'Primary value Gauge pressure | Absolute pressure');
  assert.deepEqual(await textsOf(tab, '#display .item[data-ref="varPV"] .label .variant'),
    ['Gauge pressure', 'Absolute pressure']);
  assert.deepEqual(await textsOf(tab, '#display .item[data-ref="metZeroTrim"] .mark'), ['HANDLING COND']);
  // The variant selector narrows every conditional label to one DDSTRING key.
  assert.deepEqual(await textsOf(tab, '#variant option'),
    ['Every DDSTRING variant', 'DDSTRING ABSOLUTE', 'DDSTRING GAUGE', 'DDSTRING LEGACY', 'DDSTRING NAMUR']);
  await tab.select('#variant', 'ABSOLUTE');
  assert.deepEqual(await textsOf(tab, '#display .item[data-ref="varPV"] .label .variant'), ['Absolute pressure']);
  await tab.select('#variant', '');

  // Help buttons open the device's own help files, embedded in the page.
  const dtm = await openHelp(tab, 'dtm');
  assert.match(dtm.path, /help\/PT42_en\.pdf$/);
  assert.match(dtm.text, /^%PDF-/);
  await tab.keyboard.press('Escape');
  assert.equal(await tab.$('#help-viewer'), null);
  const ui = await openHelp(tab, 'ui');
  assert.match(ui.path, /help\/PT42_ui_en\.html$/);
  assert.match(ui.text, /Using the device screens/);
  const help = await (await tab.$('#help-viewer iframe')).contentFrame();
  assert.equal(await help.$eval('h1', (n) => n.textContent), 'Morvane PT-42');
  await tab.click('#help-viewer .help-close');
  assert.equal(await tab.$('#help-viewer'), null);
  // An item's own help opens the device help at its help topic (the English file is addressed by help
  // topics); an item without a help topic has no help button.
  await tab.click('#display .item[data-ref="varPV"] .item-help');
  const topic = await tab.waitForSelector('#help-viewer iframe.help-file');
  assert.match(await topic.evaluate((n) => n.src), /^blob:.*#nameddest=pv_pressure$/);
  assert.match(await tab.$eval('#help-viewer .help-title', (n) => n.textContent), /PT42_en\.pdf#pv_pressure$/);
  await tab.keyboard.press('Escape');
  assert.equal(await tab.$('#display .item[data-ref="varSerialNumber"] .item-help'), null);

  // Header: offline by default (function 1), online on request; the vendor logo is embedded, the
  // missing device logo is a placeholder.
  assert.equal(await tab.$eval('.header .place[data-place="DEVICE_TYPE"] .value', (n) => n.textContent), 'PT-42');
  assert.ok(await tab.$('.header .logos.vendor img[src^="data:image/bmp;base64,"]'));
  assert.match(await tab.$eval('.header .logos.device .missing', (n) => n.textContent), /pt42\.bmp/);
  // The logo outside the device's directory is not in the page: its place and the list at the top say why.
  const outside = /preview-outside\.bmp not shown: outside the device's directory/;
  assert.match(await tab.$eval('.header .logos.device .refused', (n) => n.textContent), outside);
  assert.deepEqual((await textsOf(tab, '.refused-files li')).map((text) => outside.test(text)), [true]);
  // Each place is named by its parameter's text; the conditional primary value by its variants.
  assert.equal(await tab.$eval('.header .place[data-place="DEVICE_TAG"] .name', (n) => n.textContent), 'Tag');
  assert.deepEqual(await textsOf(tab, '.header .place[data-place="WRITE_PROTECTION"] .mark'),
    ['DISPLAY_CONDITION READONLY', 'HANDLING COND', 'FORMAT_CONTROL %COND%']);
  await tab.click('.header .modes button[data-mode="online"]');
  assert.deepEqual(await textsOf(tab, '.header .place[data-place="PRIMARY_VALUE"] .name .variant'),
    ['Gauge pressure', 'Absolute pressure']);
  assert.equal(await tab.$eval('.header .place[data-place="PRIMARY_VALUE"] .value .sample', (n) => n.textContent),
    '12.340');
  assert.equal(await tab.$eval('.header .place[data-place="PRIMARY_VALUE"] .status', (n) => n.title), 'Device status');
  assert.ok(await tab.$('.header .place[data-place="HEADER_CONTROL"] .embedded'));
  assert.equal(await tab.$('.header .place[data-place="DEVICE_TYPE"]'), null);

  // Toolbar: five device buttons cut from the 16-pixel strip by their bitmap index.
  assert.equal((await tab.$$('.toolbar .tool.device')).length, 5);
  await tab.waitForFunction(() =>
    document.querySelector('.tool.device[data-bitmap="3"]').style.backgroundPosition === '-48px 0px');
  assert.match(await tab.$eval('.tool.device[data-bitmap="3"]', (n) => n.style.backgroundImage), /^url\("data:image\/bmp/);

  // The tree opens one display at a time: the overview has two columns, its headline font and a
  // placeholder for the missing picture; the basic setup shows the unit combo with its choices.
  await clickTreeEntry(tab, 'Setup');
  assert.equal(await tab.$eval('#display', (n) => n.dataset.display), 'disSetupOverview');
  assert.equal((await tab.$$('#display .column')).length, 2);
  const headline = await tab.$eval('#display .headline div', (n) => [n.textContent, getComputedStyle(n).fontWeight,
    getComputedStyle(n).color]);
  assert.deepEqual(headline, ['Device overview', '700', 'rgb(0, 0, 128)']);
  assert.match(await tab.$eval('#display .item[data-par="image"] .missing', (n) => n.textContent), /pt42\.bmp/);
  await unfold(tab, 'Setup');
  await clickTreeEntry(tab, 'Basic setup');
  assert.equal(await tab.$eval('#display', (n) => n.dataset.display), 'disBasic');
  assert.equal((await tab.$$('#display .column')).length, 1);
  assert.deepEqual(await textsOf(tab, '#display .item[data-style="combo"] option'), ['kPa', 'bar', 'mbar', 'psi']);
  assert.ok(await tab.$('#display .item[data-ref="varTag"] input[type="text"]'));
  assert.deepEqual(await textsOf(tab, '#display .head'), ['Parameter', 'Value', 'Unit']);
  assert.equal(await tab.$eval('#display .item[data-ref="varDamping"] input', (n) => n.value), '12.3');
  assert.deepEqual(await textsOf(tab, '#display .item[data-ref="varPollAddress"] .mark'), ['DISPLAY_CONDITION OFFLINE']);
  await tab.click('#display .nav button[data-nav="next"]');
  assert.equal(await tab.$eval('#display', (n) => n.dataset.display), 'disOutput');
  // Conditional items and displays are marked; choices that depend on DDSTRING carry their key, and the
  // variant selector keeps those of its key.
  assert.deepEqual(await textsOf(tab, '#display h2 .mark'), ['RWRO_COND', 'VALIDITY_ID varWriteProtect']);
  assert.deepEqual(await textsOf(tab, '#display .item[data-style="radio"] label'),
    ['Low (3.6 mA) [NAMUR]', 'Low (3.8 mA) [LEGACY]', 'High (21.0 mA)']);
  await tab.select('#variant', 'NAMUR');
  assert.deepEqual(await textsOf(tab, '#display .item[data-style="radio"] label'), ['Low (3.6 mA)', 'High (21.0 mA)']);
  await tab.select('#variant', '');

  // A module entry of the tree opens its module, at its first display; its tree names the conditional
  // primary value by its variants, not by its identifier.
  await clickTreeEntry(tab, 'Trend');
  assert.equal(await tab.$eval('.tabs .tab.selected', (n) => n.dataset.module), 'modTrend');
  assert.equal(await shown(tab), 'disTrend');
  await unfold(tab, 'Trend');
  assert.deepEqual(await textsOf(tab, 'aside li[data-ref="varPV"] .label'), ['Gauge pressure | Absolute pressure']);

  // An LED keeps to its own row.
  await tab.click('.tabs .tab[data-module="modDiagnosis"]');
  await clickTreeEntry(tab, 'Diagnosis');
  assert.equal(await tab.$eval('#display .item[data-ref="varSensorTemp"] .static', (n) => n.textContent), '12.3');
  assert.deepEqual(await textsOf(tab, '#display .item[data-ref="varSensorTemp"] .mark'), ['DISPLAY_CONDITION NOTZERO']);
  const led = await tab.$eval('#display .item[data-style="led"] .led', (n) => n.getBoundingClientRect().toJSON());
  const next = await tab.$eval('#display .item[data-style="list"] .label', (n) => n.getBoundingClientRect().toJSON());
  assert.ok(led.width <= 16 && led.height <= 16 && led.bottom <= next.top, JSON.stringify({led, next}));

  // Menu bar: a popup and its nested popup open on click; the enumeration popup lists the unit choices.
  await clickMenu(tab, 'Device');
  assert.ok(await tab.$eval('.menubar > .menu.open > .popup', (n) => n.offsetHeight > 0));
  await clickMenu(tab, 'Views');
  assert.deepEqual(await textsOf(tab, '.menubar .menu.sub.open > .popup > button'), ['Diagnosis', 'Trend']);
  await clickMenu(tab, 'Unit');
  assert.deepEqual(await textsOf(tab, '.menubar .menu.open > .popup > button'), ['kPa', 'bar', 'mbar', 'psi']);

  // German, through the page's switch: tree, display, built-in texts and menus follow.
  await tab.click('.tabs .tab[data-module="modSetup"]');
  await tab.select('#language', 'de');
  assert.deepEqual(await textsOf(tab, '.tabs .tab'), ['Einstellungen', 'Diagnose', 'Verlauf']);
  await clickTreeEntry(tab, 'Grundeinstellungen');  // the tree keeps the branches unfolded before
  assert.equal(await tab.$eval('#display h2', (n) => n.textContent), 'Grundeinstellungen');
  assert.ok((await textsOf(tab, '#display .item .label')).includes('Messstellenbezeichnung'));
  assert.equal(await tab.$eval('#display .nav button[data-nav="home"]', (n) => n.textContent), 'Zur Übersicht');
  assert.ok(await tab.$('xpath/.//nav[@class="menubar"]//button[text()="Gerät"]'));
  assert.match((await openHelp(tab, 'ui')).path, /help\/PT42_ui_de\.html$/);
  await tab.click('#help-viewer .help-close');
  // The German device help is HTML addressed by identifiers: every item has help, opened scrolled to the
  // element of its identifier; one the file lacks opens at the start, and the viewer says so.
  await tab.click('#display .item[data-ref="varDamping"] .item-help');
  const found = await (await tab.waitForSelector('#help-viewer iframe[data-anchor-found]')).contentFrame();
  assert.ok(await found.evaluate(() => document.scrollingElement.scrollTop > 0));
  assert.equal(await tab.$eval('#help-viewer .anchor-missing', (n) => n.hidden), true);
  await tab.keyboard.press('Escape');
  await tab.click('#display .item[data-ref="varTag"] .item-help');
  await tab.waitForSelector('#help-viewer .anchor-missing:not([hidden])');
  assert.match(await tab.$eval('#help-viewer .anchor-missing', (n) => n.textContent), /^No anchor "varTag" in .*PT42_de\.html/);
  await tab.keyboard.press('Escape');
  // And back to English through the device's own language menu.
  await clickMenu(tab, 'Sprache');
  await clickMenu(tab, 'Englisch');
  assert.equal(await tab.$eval('#display .nav button[data-nav="home"]', (n) => n.textContent), 'Back to overview');
}

// tests/data/tools/preview/samples.xml: a value of each kind through its format, labels that vary with
// DDSTRING (one through a label reference), a help file on the web and no user-interface help.
async function samples(tab) {
  assert.equal(await shown(tab), 'disSamples');
  const values = await tab.$$eval('#display .item', (items) => Object.fromEntries(items.map((item) => {
    const control = item.querySelector('.static, input');
    return [item.dataset.ref, control.value === undefined ? control.textContent : control.value];
  })));
  assert.deepEqual(values, {varCount: '0042', varHex: '0x2A', varLevel: '12.3 %', varSci: '1.23e+01', varName: 'Tex',
    varDate: '2026-01-31', varSecret: '\u2022'.repeat(6), varMode: 'Gas', varChosen: '12.34'});
  assert.equal(await tab.$eval('#display .item[data-ref="varSecret"] input', (n) => n.type), 'password');
  assert.deepEqual(await textsOf(tab, '#display .item[data-ref="varChosen"] .mark'),
    ['DISPLAY_CONDITION NOTZERO', 'HANDLING COND', 'FORMAT_CONTROL %COND%']);
  // An item's label reference brings its own variants; a tree entry's label reference is not handed out,
  // so that entry shows its reference, marked.
  assert.deepEqual(await textsOf(tab, '#display .item[data-ref="varCount"] .label .variant'), ['Liquid flow', 'Gas flow']);
  await unfold(tab, 'Samples');
  assert.deepEqual(await textsOf(tab, 'aside li[data-ref="varLevel"] .label'), ['Liquid level | Gas pressure']);
  assert.deepEqual(await textsOf(tab, 'aside li[data-ref="varCount"] .label .variants.unresolved'), ['varCount']);
  // One key: the labels and the choices of that key.
  await tab.select('#variant', 'LIQUID');
  assert.deepEqual(await textsOf(tab, 'aside li[data-ref="varLevel"] .label'), ['Liquid level']);
  assert.equal(await tab.$eval('#display .item[data-ref="varMode"] .static', (n) => n.textContent), 'Liquid');
  await tab.select('#variant', '');
  // German lists the variants in another order: each is matched by its key.
  await tab.select('#language', 'de');
  assert.deepEqual(await textsOf(tab, 'aside li[data-ref="varLevel"] .label'), ['Füllstand | Gasdruck']);
  // A help address on the web is a link; a missing help file says so.
  await tab.click('.toolbar .tool[data-help="dtm"]');
  assert.equal(await tab.$eval('#help-viewer a', (n) => n.href), 'https://help.example/samples.pdf');
  await tab.keyboard.press('Escape');
  await tab.click('#display .item[data-ref="varLevel"] .item-help');
  assert.equal(await tab.$eval('#help-viewer a', (n) => n.href), 'https://help.example/samples.pdf#varLevel');
  await tab.keyboard.press('Escape');
  await tab.click('.toolbar .tool[data-help="ui"]');
  assert.match(await tab.$eval('#help-viewer .notice', (n) => n.textContent), /^No help file/);
  await tab.keyboard.press('Escape');
}

async function large(tab) {
  // Only the roots are built until a branch unfolds; the first display is open without unfolding.
  assert.ok((await tab.$$('aside li')).length < 5);
  assert.equal(await shown(tab), 'disFirst');
  await unfold(tab, 'All parameters');
  await unfold(tab, 'Group 10');
  assert.ok((await tab.$$('aside li')).length > 1000);
  await clickTreeEntry(tab, 'Parameter 9999');
  assert.equal(await tab.$eval('#display', (n) => n.dataset.display), 'disLast');
  // A text that holds markup is shown as text and runs nothing.
  const title = await tab.$eval('#display h2', (n) => n.textContent);
  assert.equal(title, 'Last </script><script>window.injected=1</script>');
  assert.equal(await tab.evaluate(() => window.injected), undefined);
}

(async () => {
  const browser = await puppeteer.launch({
    executablePath: process.env.K42GUI_CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu'],
  });
  try {
    const tab = await browser.newPage();
    await tab.setViewport({width: 1280, height: 900});
    tab.setDefaultTimeout(60000);
    const errors = [];
    tab.on('pageerror', (error) => errors.push(error.message));
    await tab.goto('file://' + page, {waitUntil: 'load', timeout: 120000});
    await ({demo, large, samples})[scenario](tab);
    assert.deepEqual(errors, []);
    console.log(`preview ${scenario}: ok`);
  } finally {
    await browser.close();
  }
})().catch((error) => {
  console.error(error);
  process.exit(1);
});
