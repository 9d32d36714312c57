// Makes every shipped template's page for the demo project and for the projects in projects/,
// then checks each page with the Nu HTML checker and, in Chromium, with axe-core, and checks
// what a visitor relies on: nothing wider than a phone, copy boxes holding exactly the code typed,
// Copy buttons, and the affiliate ID put in place of "xxxx".
//
//   node check-pages.mjs CLI REPOSITORY
import { execFile, execFileSync } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import puppeteer from 'puppeteer-core';

const here = path.dirname(fileURLToPath(import.meta.url));
const [cli, repository] = process.argv.slice(2);
if (!cli || !repository) {
    console.error('usage: node check-pages.mjs CLI REPOSITORY');
    process.exit(2);
}
const chromium = process.env.CHROMIUM || '/usr/bin/chromium';
const phone = 320;
const desktop = 1366;
const visitorId = 'ABC123';

// The seven sections in the engine's order: markers, item placeholder, list, rule.
const sections = [
    ['LINKTEXT', '%%ANCHORTEXT%%', 'anchors', 'link'],
    ['EMAIL', '%%EMAIL%%', 'emails', 'text'],
    ['AUTORESPONDER', '%%AUTOEMAIL%%', 'autoEmails', 'text'],
    ['ARTICLE', '%%ARTICLE%%', 'articles', 'text'],
    ['SIGNATURE', '%%SIGNATURE%%', 'signatures', 'text'],
    ['POPUP', '%%POPUP%%', 'popUps', 'text'],
    ['BANNER', '%%BANNER%%', 'banners', 'link'],
].map(([name, placeholder, list, rule]) => ({
    start: `%%TABLE_${name}_INIT%%`, end: `%%TABLE_${name}_END%%`, placeholder, list, rule,
}));

// Plain text replacement: String.replaceAll would read "$$" in the replacement as a pattern.
const replace = (text, what, by) => text.split(what).join(by);
const asciiLower = (text) => text.replace(/[A-Z]/g, (c) => c.toLowerCase());

// A file read as a string list: every line ended by CR LF, nothing after a NUL.
function textForm(text) {
    const lines = text.split('\0')[0].split(/\r\n|\r|\n/);
    if (lines.at(-1) === '') lines.pop();
    return lines.map((line) => line + '\r\n').join('');
}

// A list value of the settings file: separators become line breaks, lines become items.
function items(value, separator) {
    return value === '' ? [] : textForm(replace(value, separator, '\r\n')).split('\r\n').slice(0, -1);
}

function readProject(file) {
    const text = textForm(fs.readFileSync(file, 'utf8'));
    const lower = asciiLower(text);
    let position = 0;
    const value = (tag) => {
        const start = `<%%${tag}%%>`.toLowerCase();
        const end = `<%%/${tag}%%>`.toLowerCase();
        const from = lower.indexOf(start, position);
        if (from < 0) return '';
        const to = lower.indexOf(end, from + start.length);
        if (to < 0) {
            position = from + start.length;
            return '';
        }
        position = to;
        return text.slice(from + start.length, to);
    };
    const project = { title: value('AfTitle'), url: value('AfURL'), id: value('AfClickBankId') };
    value('AfTemplate');
    project.anchors = items(value('AfAnchors'), '$$');
    value('AfPPC');
    project.banners = items(value('AfBanners'), '$$');
    for (const [list, tag] of [['signatures', 'AfSignatures'], ['emails', 'AfEmail'], ['autoEmails', 'AfAutoEmail'],
                               ['articles', 'AfArticles'], ['popUps', 'AfPopUps']]) {
        project[list] = items(value(tag), '^^');
    }
    return project;
}

// What the engine's later passes do to text already in the page: the markers and item
// placeholders of this section and the later ones go, then the affiliate URL comes in.
function laterPasses(text, firstSection, project) {
    for (const section of sections.slice(firstSection)) {
        text = replace(replace(replace(text, section.start, ''), section.end, ''), section.placeholder, '');
    }
    if (text.includes('%%PPCADS%%') || text.includes('%%MENU%%')) {
        throw new Error('a copy box whose text takes the PPC table or the menu is not modelled here');
    }
    return replace(text, '%%AFFILIATELINK%%', project.url);
}

// The text of each copy box of the page, in page order, as the engine fills the template.
function expectedBoxes(templateText, project) {
    const text = textForm(templateText);
    const lower = asciiLower(text);
    const bodies = [];
    let position = 0;
    sections.forEach((section, index) => {
        const from = lower.indexOf(asciiLower(section.start), position);
        if (from < 0) return;
        const to = lower.indexOf(asciiLower(section.end), from + section.start.length);
        if (to < 0) {
            position = from + section.start.length;
            return;
        }
        bodies.push({ index, from, to });
        position = to;
    });
    const boxes = [];
    let body = null;
    let bodyBoxes = [];
    const flush = () => {
        if (!body) return;
        const section = sections[body.index];
        for (const item of project[section.list]) {
            for (const content of bodyBoxes) {
                let copy = content;
                if (section.rule === 'link') {
                    copy = replace(replace(copy, '%%AFFILIATELINK%%', project.url), section.placeholder, item);
                } else {
                    copy = replace(replace(copy, section.placeholder, item), '$$', '\r\n');
                }
                boxes.push(laterPasses(copy, body.index, project));
            }
        }
        body = null;
        bodyBoxes = [];
    };
    for (const match of text.matchAll(/<textarea\b[^>]*>([\s\S]*?)<\/textarea/gi)) {
        // The parser drops one line break right after the start tag: the template's own, if it
        // has one; otherwise the first of an item that starts with one, which is then lost.
        const content = match[1].replace(/^\r\n/, '');
        const inside = bodies.find((b) => match.index > b.from && match.index < b.to) || null;
        if (inside !== body) flush();
        if (inside) {
            body = inside;
            bodyBoxes.push(content);
        } else {
            let copy = replace(content, '%%TITLE%%', project.title);
            copy = replace(copy, '%%AFFILIATECODE%%', project.id ? '?e=' + project.id : '');
            boxes.push(laterPasses(copy, 0, project));
        }
    }
    flush();
    // A box's value has its line breaks as LF.
    return boxes.map((box) => box.replace(/\r\n?/g, '\n'));
}

const nuWarningsAllowed = [
    // The PPC table's own markup, made by the generator as it always has been.
    /^The “(valign|bgcolor|width|border|align)” attribute on the “(td|table)” element is obsolete\./,
    /^A table row was \d+ columns? wide, which is less than the column count established by the first row/,
];

function runNu(files) {
    const jar = path.join(here, 'node_modules/vnu-jar/build/dist/vnu.jar');
    return new Promise((resolve, reject) => {
        execFile('java', ['-jar', jar, '--format', 'json', '--exit-zero-always', ...files],
                 { maxBuffer: 64 << 20 }, (error, stdout, stderr) => {
            if (error) return reject(error);
            const findings = new Map(files.map((file) => [file, []]));
            for (const message of JSON.parse(stderr).messages) {
                const file = message.url && fileURLToPath(message.url);
                if (!findings.has(file)) return reject(new Error(`Nu HTML checker: ${message.message}`));
                const warning = message.type === 'info' && message.subType === 'warning';
                if (message.type === 'info' && !warning) continue;
                if (warning && nuWarningsAllowed.some((allowed) => allowed.test(message.message))) continue;
                findings.get(file).push(`line ${message.lastLine}: ${message.type === 'info' ? 'warning' : message.type}: ${message.message}`);
            }
            resolve(findings);
        });
    });
}

function serve(folder) {
    const server = http.createServer((request, response) => {
        const name = path.basename(new URL(request.url, 'http://localhost').pathname);
        const file = path.join(folder, name);
        if (!name.endsWith('.htm') || !fs.existsSync(file)) {
            response.writeHead(404).end();
            return;
        }
        response.writeHead(200, { 'content-type': 'text/html' }).end(fs.readFileSync(file));
    });
    return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

const axeSource = fs.readFileSync(path.join(here, 'node_modules/axe-core/axe.min.js'), 'utf8');

// What a page shows of its boxes and links, and what axe finds, at one width.
async function look(page, { axe = false } = {}) {
    const state = await page.evaluate(() => ({
        width: document.documentElement.scrollWidth,
        values: [...document.querySelectorAll('textarea')].map((box) => box.value),
        hrefs: [...document.querySelectorAll('a[href]')].map((link) => link.getAttribute('href')),
        buttons: [...document.querySelectorAll('textarea')]
            .filter((box) => box.nextElementSibling?.matches('button[type="button"].copy')).length,
        idBox: (() => {
            const input = document.getElementById('affiliate-id');
            return input && input.offsetParent !== null ? input.value : null;
        })(),
        injected: document.querySelectorAll('img[src="x"], [onerror]').length,
    }));
    if (axe) {
        await page.evaluate(axeSource);
        const violations = await page.evaluate(async () => (await axe.run(document, {
            resultTypes: ['violations'],
            // Target size is WCAG 2.2 AA, which axe leaves off by default and Lighthouse checks.
            rules: { 'target-size': { enabled: true } },
        })).violations);
        state.violations = violations.map((v) => `${v.id} (${v.impact}): ${v.nodes.length}× ${v.help} — ${v.nodes[0].target.join(' ')}`);
    }
    return state;
}

async function checkPage(browser, origin, name, expected, failures) {
    const fail = (what) => failures.push(`${name}: ${what}`);
    const url = `${origin}/${name}.htm`;
    const withId = (id) => expected.map((value) => replace(value, 'xxxx', id));
    const sameList = (what, got, want) => {
        if (got.length !== want.length) return fail(`${what}: ${got.length} where ${want.length} were expected`);
        got.forEach((value, i) => {
            if (value !== want[i]) fail(`${what} ${i + 1}: ${JSON.stringify(value).slice(0, 300)} where ${JSON.stringify(want[i]).slice(0, 300)} was expected`);
        });
    };
    async function open(context, address, width, javascript = true) {
        const page = await context.newPage();
        page.on('dialog', (dialog) => {
            fail(`a dialog opened: ${dialog.message()}`);
            dialog.dismiss();
        });
        page.on('pageerror', (error) => fail(`script error: ${error.message}`));
        await page.setJavaScriptEnabled(javascript);
        await page.setRequestInterception(true);
        // Banners point elsewhere; nothing but the page itself is fetched.
        page.on('request', (request) => (request.url().startsWith(origin) ? request.continue() : request.abort()));
        await page.setViewport({ width, height: 800, isMobile: width < 700, hasTouch: width < 700 });
        await page.goto(address, { waitUntil: 'load' });
        return page;
    }
    // Each phase gets a browser profile of its own (storage, clipboard); one that throws (an
    // element missing, a time-out) fails, and the others still run.
    async function phase(what, run) {
        const context = await browser.createBrowserContext();
        try {
            await context.overridePermissions(origin, ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write']);
            await run(context);
        } catch (error) {
            fail(`${what}: ${error.message.split('\n')[0]}`);
        } finally {
            await context.close();
        }
    }

    // Without JavaScript: the page as written, which every later state is compared with.
    let plain = { hrefs: [] };
    await phase('without JavaScript', async (context) => {
        plain = await look(await open(context, url, phone, false));
        sameList('without JavaScript, copy box', plain.values, expected);
        if (plain.width > phone) fail(`without JavaScript, ${plain.width} px wide at ${phone} px`);
        if (plain.buttons || plain.idBox !== null) fail('without JavaScript, Copy buttons or the ID box show');
    });

    const widths = {};
    await phase('axe and widths', async (context) => {
        for (const width of [phone, desktop]) {
            const state = await look(await open(context, url, width), { axe: true });
            widths[width] = state;
            if (state.width > width) fail(`${state.width} px wide at ${width} px`);
            state.violations.forEach((v) => fail(`axe at ${width} px: ${v}`));
            sameList(`at ${width} px, copy box`, state.values, expected);
            sameList(`at ${width} px, link`, state.hrefs, plain.hrefs);
            if (state.buttons !== expected.length) fail(`${state.buttons} Copy buttons for ${expected.length} copy boxes`);
            if (state.idBox !== '') fail('the affiliate ID box is missing or not empty');
        }
    });

    // Typed into the box: taken when valid, refused with a message otherwise, dropped when emptied.
    await phase('typing an ID', async (context) => {
        const page = await open(context, url, phone);
        await page.type('#affiliate-id', 'my.id-1_A');
        let state = await look(page);
        sameList('with a typed ID, copy box', state.values, withId('my.id-1_A'));
        await page.type('#affiliate-id', '"><b>');
        state = await look(page);
        const refusal = await page.evaluate(() => {
            const message = document.getElementById('affiliate-id-message');
            return { text: message.offsetParent !== null ? message.textContent : '',
                     live: message.getAttribute('role') === 'status' || message.hasAttribute('aria-live'),
                     invalid: document.getElementById('affiliate-id').getAttribute('aria-invalid') };
        });
        if (!refusal.text || !refusal.live || refusal.invalid !== 'true') fail(`a refused ID is not told: ${JSON.stringify(refusal)}`);
        sameList('after a refused ID, copy box', state.values, withId('my.id-1_A'));
        await page.$eval('#affiliate-id', (input) => {
            input.value = '';
            input.dispatchEvent(new Event('input'));
        });
        state = await look(page);
        sameList('with the ID emptied, copy box', state.values, expected);
        sameList('with the ID emptied, link', state.hrefs, plain.hrefs);
    });

    // From the address, and remembered for the next visit.
    await phase('an ID from the address', async (context) => {
        for (const [address, id, what] of [[`${url}?id=${visitorId}`, visitorId, '?id='],
                                           [url, visitorId, 'the remembered ID'],
                                           [`${url}#id=Z.9`, 'Z.9', '#id=']]) {
            const state = await look(await open(context, address, phone));
            sameList(`with ${what}, copy box`, state.values, withId(id));
            sameList(`with ${what}, link`, state.hrefs, plain.hrefs.map((href) => replace(href, 'xxxx', id)));
            if ([...state.values, ...state.hrefs].some((text) => text.includes('xxxx'))) fail(`with ${what}, "xxxx" is left`);
            if (state.idBox !== id) fail(`with ${what}, the ID box shows ${JSON.stringify(state.idBox)}`);
        }
    });

    await phase('a crafted address', async (context) => {
        const crafted = `${url}?id=%22%3E%3Cimg%20src%3Dx%20onerror%3Dalert(1)%3E#id=a%20b`;
        const state = await look(await open(context, crafted, phone));
        sameList('with a crafted address, copy box', state.values, expected);
        sameList('with a crafted address, link', state.hrefs, plain.hrefs);
        if (state.injected) fail('a crafted address put markup into the page');
    });

    // From the keyboard, each box's exact text reaches the clipboard; the second box goes through
    // the fallback for browsers without the Clipboard API.
    await phase('the Copy buttons', async (context) => {
        const page = await open(context, url, desktop);
        const count = await page.$$eval('button.copy', (buttons) => buttons.length);
        for (let i = 0; i < count; i++) {
            if (i === 1) await page.evaluate(() => { navigator.clipboard.writeText = () => Promise.reject(new Error('refused')); });
            await page.$$eval('button.copy', (buttons, i) => buttons[i].focus(), i);
            await page.keyboard.press('Enter');
            await page.waitForFunction(() => document.getElementById('copy-status')?.textContent === 'Copied'
                                             && document.activeElement.textContent === 'Copied', { timeout: 3000 })
                .catch(() => fail(`Copy button ${i + 1} does not say "Copied"`));
            const copied = await page.evaluate(() => navigator.clipboard.readText());
            if (copied !== expected[i]) fail(`Copy button ${i + 1} copied ${JSON.stringify(copied).slice(0, 200)}`);
            // Ready for the next button without waiting for the page to reset itself.
            await page.evaluate((i) => {
                document.getElementById('copy-status').textContent = '';
                document.querySelectorAll('button.copy')[i].textContent = 'Copy';
            }, i);
            if (i === 1) await page.evaluate(() => { delete navigator.clipboard.writeText; });
        }
    });
    return widths;
}

const work = fs.mkdtempSync(path.join(os.tmpdir(), 'vantor-pages-'));
let browser;
let server;
const started = Date.now();
try {
    const templates = path.join(work, 'app', 'Templates');
    const pages = path.join(work, 'pages');
    fs.mkdirSync(templates, { recursive: true });
    fs.mkdirSync(pages);
    const shipped = fs.readdirSync(path.join(repository, 'templates')).filter((f) => /\.(tem|jpg)$/.test(f));
    for (const file of shipped) fs.copyFileSync(path.join(repository, 'templates', file), path.join(templates, file));
    const projects = [['demo', path.join(repository, 'examples/demo/settings.dat')],
                      ...fs.readdirSync(path.join(here, 'projects')).filter((f) => f.endsWith('.dat')).sort()
                          .map((f) => [path.basename(f, '.dat'), path.join(here, 'projects', f)])];

    const failures = [];
    const runs = [];
    // Template authors copy the script from any shipped template, so all carry the same one.
    const scripts = new Set(shipped.filter((f) => f.endsWith('.tem')).map((f) =>
        fs.readFileSync(path.join(templates, f), 'utf8').replace(/\r\n/g, '\n').match(/<script>[\s\S]*?<\/script>/g)?.join('\n')));
    if (scripts.size !== 1) failures.push('templates: the shipped templates carry different scripts');
    for (const template of shipped.filter((f) => f.endsWith('.tem')).map((f) => path.basename(f, '.tem'))) {
        const file = path.join(templates, template + '.tem');
        try {
            execFileSync(cli, ['check-template', file], { stdio: 'pipe' });
        } catch (error) {
            failures.push(`${template}: check-template: ${error.stdout}`);
        }
        for (const [project, settings] of projects) {
            const name = `${template}-${project}`;
            const page = execFileSync(cli, ['generate', '--app-dir', path.join(work, 'app'), '--settings', settings,
                                            '--template', template, '--stdout']);
            fs.writeFileSync(path.join(pages, name + '.htm'), page);
            runs.push({ name, file: path.join(pages, name + '.htm'),
                        expected: expectedBoxes(fs.readFileSync(file, 'utf8'), readProject(settings)) });
        }
    }

    const templatesFailed = failures.length > 0;
    let pagesFailed = 0;
    const nu = runNu(runs.map((run) => run.file));
    server = await serve(pages);
    const origin = `http://127.0.0.1:${server.address().port}`;
    browser = await puppeteer.launch({
        executablePath: chromium,
        userDataDir: path.join(work, 'profile'),
        args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
               '--disable-component-update', '--disable-sync'],
    });
    const nuFindings = await nu;
    for (const run of runs) {
        const before = failures.length;
        const findings = nuFindings.get(run.file);
        findings.forEach((finding) => failures.push(`${run.name}: Nu ${finding}`));
        const widths = await checkPage(browser, origin, run.name, run.expected, failures);
        const violations = (width) => widths[width]?.violations.length ?? '?';
        const errors = findings.filter((f) => f.includes(': error: ')).length;
        console.log(`${run.name.padEnd(18)} Nu ${errors} errors, ${findings.length - errors} warnings; `
                    + `axe ${violations(phone)} violations at ${phone} px, ${violations(desktop)} at ${desktop} px; `
                    + `${widths[phone]?.width ?? '?'} px wide at ${phone} px; ${run.expected.length} copy boxes`
                    + (failures.length > before ? ' -- FAILED' : ''));
        if (failures.length > before) pagesFailed++;
    }
    failures.forEach((failure) => console.error(failure));
    // The templates' own findings (their scripts, check-template) count as one more failure.
    console.log(`Page checks: ${runs.length - pagesFailed} passed, ${pagesFailed + (templatesFailed ? 1 : 0)} failed `
                + `(${((Date.now() - started) / 1000).toFixed(0)} s)`);
    process.exitCode = failures.length ? 1 : 0;
} finally {
    await browser?.close();
    server?.close();
    fs.rmSync(work, { recursive: true, force: true });
}
