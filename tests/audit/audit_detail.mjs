// Audits HTML pages with axe-core in Debian's chromium (never a browser of
// playwright's own): the rules of WCAG 2 (2.0 to 2.2) at levels A and AA and
// axe's best practices. Prints one line per kind of violation, with how
// many nodes of how many pages it names, then one closing line; exits 1 when
// there is any violation, 2 when the audit itself cannot run.
//   node audit_detail.mjs PAGE.html...
import { createRequire } from "node:module";
import { availableParallelism } from "node:os";
import { pathToFileURL } from "node:url";
import { chromium } from "playwright-core";

const require = createRequire(import.meta.url);
const axeSource = require.resolve("axe-core/axe.min.js");
const tags = ["wcag2a", "wcag2aa", "wcag21a", "wcag21aa", "wcag22aa", "best-practice"];
// Chromium as root in a closed network: no sandbox, no background traffic.
const browserArgs = ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
  "--disable-background-networking", "--disable-component-update", "--disable-sync"];

const pages = process.argv.slice(2);
if (pages.length === 0) {
  console.error("usage: node audit_detail.mjs PAGE.html...");
  process.exit(2);
}

const browser = await chromium.launch({
  executablePath: process.env.LDG_CHROMIUM ?? "/usr/bin/chromium",
  args: browserArgs,
});
const kinds = new Map();  // rule id -> { impact, help, tags, nodes, pages }
// One tab per core, each taking the next page.
async function auditInTab(queue) {
  const page = await browser.newPage();
  for (let file = queue.shift(); file !== undefined; file = queue.shift()) {
    await page.goto(pathToFileURL(file).href);
    await page.addScriptTag({ path: axeSource });
    const result = await page.evaluate(
      (values) => window.axe.run(document, { runOnly: { type: "tag", values } }), tags);
    for (const violation of result.violations) {
      const kind = kinds.get(violation.id) ??
        { impact: violation.impact, help: violation.help, tags: violation.tags, nodes: 0, pages: 0 };
      kind.nodes += violation.nodes.length;
      kind.pages += 1;
      kinds.set(violation.id, kind);
    }
  }
}
try {
  const queue = [...pages];
  const tabs = Math.min(availableParallelism(), pages.length);
  await Promise.all(Array.from({ length: tabs }, () => auditInTab(queue)));
} finally {
  await browser.close();
}

let nodes = 0;
for (const [id, kind] of [...kinds].sort(([a], [b]) => a.localeCompare(b))) {
  const level = kind.tags.find((tag) => /^wcag2\d*a+$/.test(tag)) ?? "best-practice";
  console.log(`violation: ${id} (${kind.impact}, ${level}): ${kind.nodes} nodes in ${kind.pages} ` +
    `of ${pages.length} pages: ${kind.help}`);
  nodes += kind.nodes;
}
console.log(`audit: ${pages.length} pages, ${kinds.size} kinds of violation, ${nodes} nodes`);
process.exit(kinds.size === 0 ? 0 : 1);
