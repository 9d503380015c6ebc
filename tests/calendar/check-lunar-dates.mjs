// Checks every day of the calendar page from 1900-01-31 to 2049-12-31 against lunar-javascript,
// a lunar calendar computed independently of the page's tables: the lunar year, month, leap flag
// and day, the text under the day number, the solar term and the lunar festival.
//
// Usage: node check-lunar-dates.mjs <jpwnl.html> <folder holding node_modules>
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import path from 'node:path';
import vm from 'node:vm';

const [pagePath, modulesFolder] = process.argv.slice(2);
const { Solar } = createRequire(path.join(path.resolve(modulesFolder), 'package.json'))('lunar-javascript');

// The page's script runs without a document, so only its calendar functions are set up.
const script = /<script>([^]*?)<\/script>/.exec(readFileSync(pagePath, 'utf8'))[1];
const page = vm.createContext({});
vm.runInContext(script, page);

const LUNAR_FESTIVALS = new Set(['春节', '元宵节', '端午节', '七夕节', '中秋节', '重阳节', '腊八节', '除夕']);
const MONTH_NAMES = ['正月', '二月', '三月', '四月', '五月', '六月', '七月', '八月', '九月', '十月', '冬月', '腊月'];

function expectedDay(solar) {
  const lunar = solar.getLunar();
  const month = lunar.getMonth();
  const name = (month < 0 ? '闰' : '') + MONTH_NAMES[Math.abs(month) - 1];
  return {
    year: lunar.getYear(),
    month: Math.abs(month),
    leap: month < 0,
    day: lunar.getDay(),
    text: lunar.getDay() === 1 ? name : lunar.getDayInChinese(),
    term: lunar.getJieQi(),
    festival: lunar.getFestivals().filter((f) => LUNAR_FESTIVALS.has(f)).join(''),
  };
}

function actualDay(entry) {
  const [y, m, d] = entry.date.split('-').map(Number);
  const lunar = page.lunarDate(Date.UTC(y, m - 1, d) / 86400000);
  return { year: lunar.year, month: lunar.month.number, leap: lunar.month.leap, day: lunar.day,
    text: entry.text, term: entry.term, festival: entry.festival };
}

const problems = [];
let checked = 0;
for (let year = 1900; year <= 2049; ++year) {
  for (let month = 1; month <= 12; ++month) {
    const entries = page.calendarDays(year, month);
    const length = new Date(Date.UTC(year, month, 0)).getUTCDate();
    if (entries.length !== length) problems.push(`${year}-${month}: ${entries.length} days instead of ${length}`);
    for (const entry of entries) {
      if (entry.date < '1900-01-31') continue;
      const [y, m, d] = entry.date.split('-').map(Number);
      const expected = expectedDay(Solar.fromYmd(y, m, d));
      const actual = actualDay(entry);
      const wrong = Object.keys(expected).filter((key) => expected[key] !== actual[key]);
      if (wrong.length) {
        problems.push(`${entry.date}: ${wrong.map((k) => `${k} ${JSON.stringify(actual[k])} ` +
          `instead of ${JSON.stringify(expected[k])}`).join(', ')}`);
      }
      ++checked;
    }
  }
}

// The page refuses what its tables do not cover instead of guessing.
for (const [year, month] of [[1899, 12], [2050, 1], [2000, 0], [2000, 13], [2000.5, 1]]) {
  try {
    page.calendarDays(year, month);
    problems.push(`calendarDays(${year}, ${month}) answered instead of refusing`);
  } catch (error) {
    if (error.name !== 'RangeError') problems.push(`calendarDays(${year}, ${month}) threw ${error}`);
  }
}

console.log(`${checked} days checked, ${problems.length} problems`);
for (const problem of problems.slice(0, 50)) console.log(problem);
process.exit(problems.length ? 1 : 0);
